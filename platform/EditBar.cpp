#include "EditBar.h"

#include "ColourPalette.h"
#include "EditIcons.h"
#include "FontSubstitutes.h"
#include "OfficeState.h"
#include "TableSizePicker.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

namespace {

QJsonObject typed(const QVariant &value)
{
    QString type = QStringLiteral("string");
    if (value.type() == QVariant::Int || value.type() == QVariant::LongLong)
        type = QStringLiteral("long");
    else if (value.type() == QVariant::Double)
        type = QStringLiteral("float");
    else if (value.type() == QVariant::Bool)
        type = QStringLiteral("boolean");
    return QJsonObject{{QStringLiteral("type"), type}, {QStringLiteral("value"), QJsonValue::fromVariant(value)}};
}

// Colours go to the office as 0xRRGGBB, or -1 for none.
int officeColour(const QColor &colour)
{
    return colour.isValid() ? int(colour.rgb() & 0xFFFFFF) : -1;
}

// Shows the text with its item current. The box sends a listed choice only
// when it differs from its current item, and its text alone follows the
// caret: the size of the box before, typed into the next box, sent nothing.
void showInBox(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(box->findText(text));
    if (box->currentText() != text)
        box->setEditText(text);
}

} // namespace

EditBar::EditBar(OfficeState *state, QWidget *parent)
    : QToolBar(parent), m_state(state)
{
    setObjectName(QStringLiteral("editBar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(20, 20));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setStyleSheet(QStringLiteral("QToolBar#editBar { background: #F7F7F7; border-bottom: 1px solid #D6D6D6; spacing: 1px; padding: 2px 4px; }"
                                 "QToolButton:checked { background: #CFEBDC; border: 1px solid #8CC7A8; border-radius: 3px; }"));

    addCommand(".uno:Undo", QStringLiteral("undo"), QStringLiteral("撤销 (Ctrl+Z)"));
    addCommand(".uno:Redo", QStringLiteral("redo"), QStringLiteral("恢复 (Ctrl+Y)"));
    addSeparator();
    addFamilyBox();
    addSizeBox();
    addCommand(".uno:Bold", QStringLiteral("bold"), QStringLiteral("加粗 (Ctrl+B)"), true);
    addCommand(".uno:Italic", QStringLiteral("italic"), QStringLiteral("倾斜 (Ctrl+I)"), true);
    addCommand(".uno:Underline", QStringLiteral("underline"), QStringLiteral("下划线 (Ctrl+U)"), true);
    addCommand(".uno:Strikeout", QStringLiteral("strike"), QStringLiteral("删除线"), true);
    addColour("colour", ".uno:Color", QStringLiteral("字体颜色"), Qt::red);
    addColour("highlight", ".uno:CharBackColor", QStringLiteral("文本突出显示颜色"), Qt::yellow);
    addSeparator();
    addCommand(".uno:LeftPara", QStringLiteral("left"), QStringLiteral("左对齐"), true);
    addCommand(".uno:CenterPara", QStringLiteral("centre"), QStringLiteral("居中"), true);
    addCommand(".uno:RightPara", QStringLiteral("right"), QStringLiteral("右对齐"), true);
    addCommand(".uno:JustifyPara", QStringLiteral("justify"), QStringLiteral("两端对齐"), true);
    addParagraphMenu();
    addSeparator();
    addCommand(".uno:Text", QStringLiteral("textbox"), QStringLiteral("插入文本框：在幻灯片上拖出文本框"));
    addShapesMenu();
    addTableMenu();
    QAction *picture = addOwn("picture", QStringLiteral("picture"), QStringLiteral("插入图片…"));
    connect(picture, &QAction::triggered, this, &EditBar::insertPictureRequested);
    addSeparator();
    addSlideMenu();
    QAction *duplicate = addOwn("duplicate", QStringLiteral("duplicate"), QStringLiteral("复制幻灯片"));
    connect(duplicate, &QAction::triggered, this, &EditBar::duplicateSlideRequested);
    addSeparator();
    QAction *present = addOwn("present", QStringLiteral("present"), QStringLiteral("从头开始放映 (F5)"));
    present->setText(QStringLiteral("放映"));
    connect(present, &QAction::triggered, this, &EditBar::presentRequested);
    if (auto *button = qobject_cast<QToolButton *>(widgetForAction(present)))
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    connect(m_state, &OfficeState::changed, this, &EditBar::follow);
}

QByteArray EditBar::args(const QVariantMap &values)
{
    QJsonObject object;
    for (auto it = values.begin(); it != values.end(); ++it)
        object.insert(it.key(), typed(it.value()));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QList<QPair<QString, int>> EditBar::layouts()
{
    // The office's own numbers of these layouts.
    return {{QStringLiteral("标题幻灯片"), 0},
            {QStringLiteral("标题和内容"), 1},
            {QStringLiteral("仅标题"), 19},
            {QStringLiteral("两栏内容"), 3},
            {QStringLiteral("空白"), 20}};
}

QStringList EditBar::fontSizes()
{
    return {"8", "9", "10", "10.5", "11", "12", "14", "16", "18", "20", "24", "28",
            "32", "36", "40", "44", "48", "54", "60", "66", "72", "80", "88", "96"};
}

QAction *EditBar::addCommand(const QByteArray &command, const QString &icon, const QString &tip, bool checkable)
{
    QAction *a = addAction(EditIcons::icon(icon), tip);
    a->setObjectName(QStringLiteral("edit") + QString::fromLatin1(command.mid(5)));
    a->setToolTip(tip);
    a->setCheckable(checkable);
    m_actions.insert(command, a);
    connect(a, &QAction::triggered, this, [this, command] { emit unoCommand(command, QByteArray()); });
    return a;
}

QAction *EditBar::addOwn(const QByteArray &name, const QString &icon, const QString &tip)
{
    QAction *a = addAction(EditIcons::icon(icon), tip);
    a->setObjectName(QStringLiteral("edit_") + QString::fromLatin1(name));
    a->setToolTip(tip);
    m_actions.insert(name, a);
    return a;
}

QToolButton *EditBar::popupButton(QAction *action)
{
    auto *button = qobject_cast<QToolButton *>(widgetForAction(action));
    if (button)
        button->setPopupMode(action->menu() && action->data().toBool() ? QToolButton::MenuButtonPopup
                                                                      : QToolButton::InstantPopup);
    return button;
}

void EditBar::addFamilyBox()
{
    m_family = new QComboBox(this);
    m_family->setObjectName(QStringLiteral("fontFamilyBox"));
    m_family->setToolTip(QStringLiteral("字体"));
    m_family->setEditable(true);
    m_family->setInsertPolicy(QComboBox::NoInsert);
    m_family->setMinimumContentsLength(9);
    m_family->setMaxVisibleItems(20);
    // The Chinese faces a teacher knows come first, each drawn in the face
    // that stands in for it.
    const QStringList chinese = FontSubstitutes::chineseFamilies();
    for (const QString &family : chinese) {
        m_family->addItem(family);
        m_family->setItemData(m_family->count() - 1, QFont(family), Qt::FontRole);
    }
    m_family->insertSeparator(m_family->count());
    for (const QString &family : QFontDatabase().families())
        if (!chinese.contains(family) && !family.startsWith(QLatin1Char('.')))
            m_family->addItem(family);
    m_family->setCurrentIndex(-1);
    auto send = [this](const QString &family) {
        if (!family.trimmed().isEmpty())
            emit unoCommand(".uno:CharFontName", args({{QStringLiteral("CharFontName.FamilyName"), family.trimmed()}}));
    };
    connect(m_family, QOverload<int>::of(&QComboBox::activated), this, [this, send](int index) { send(m_family->itemText(index)); });
    // Typed names are sent as typed (a face of another machine too); with
    // the item current, the box does not send it once more as a choice.
    connect(m_family->lineEdit(), &QLineEdit::returnPressed, this, [this, send] {
        const QString family = m_family->currentText();
        send(family);
        showInBox(m_family, family);
    });
    addWidget(m_family);
}

void EditBar::addSizeBox()
{
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("fontSizeBox"));
    m_size->setToolTip(QStringLiteral("字号"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    m_size->addItems(fontSizes());
    m_size->setMinimumContentsLength(4);
    m_size->setCurrentIndex(-1);
    auto send = [this](const QString &text) {
        bool ok = false;
        const double points = text.trimmed().toDouble(&ok);
        if (ok && points >= 1 && points <= 999)
            emit unoCommand(".uno:FontHeight", args({{QStringLiteral("FontHeight.Height"), points}}));
    };
    connect(m_size, QOverload<int>::of(&QComboBox::activated), this, [this, send](int index) { send(m_size->itemText(index)); });
    connect(m_size->lineEdit(), &QLineEdit::returnPressed, this, [this, send] {
        const QString size = m_size->currentText();
        send(size);
        showInBox(m_size, size);
    });
    addWidget(m_size);
}

void EditBar::addColour(const QByteArray &name, const QByteArray &command, const QString &tip, const QColor &initial)
{
    QAction *a = addOwn(name, QString::fromLatin1(name), tip);
    a->setProperty("colour", initial);
    a->setIcon(EditIcons::icon(QString::fromLatin1(name), initial));
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("%1Menu").arg(QString::fromLatin1(name)));
    auto *palette = new ColourPalette(command == ".uno:CharBackColor", menu);
    palette->setObjectName(QStringLiteral("%1Palette").arg(QString::fromLatin1(name)));
    auto *holder = new QWidgetAction(menu);
    holder->setDefaultWidget(palette);
    menu->addAction(holder);
    a->setMenu(menu);
    a->setData(true);
    popupButton(a);
    const QByteArray key = command.mid(5);
    auto apply = [this, command, key](const QColor &colour) {
        emit unoCommand(command, args({{QString::fromLatin1(key), officeColour(colour)}}));
    };
    connect(a, &QAction::triggered, this, [a, apply] { apply(a->property("colour").value<QColor>()); });
    connect(palette, &ColourPalette::picked, this, [a, menu, name, apply](const QColor &colour) {
        menu->close();
        if (colour.isValid()) {
            a->setProperty("colour", colour);
            a->setIcon(EditIcons::icon(QString::fromLatin1(name), colour));
        }
        apply(colour);
    });
    m_actions.insert(command, a);
}

void EditBar::addParagraphMenu()
{
    addCommand(".uno:DefaultBullet", QStringLiteral("bullets"), QStringLiteral("项目符号"), true);
    addCommand(".uno:DefaultNumbering", QStringLiteral("numbering"), QStringLiteral("编号"), true);
    addCommand(".uno:DecrementIndent", QStringLiteral("outdent"), QStringLiteral("减少缩进"));
    addCommand(".uno:IncrementIndent", QStringLiteral("indent"), QStringLiteral("增加缩进"));
    QAction *spacing = addOwn("spacing", QStringLiteral("spacing"), QStringLiteral("行距"));
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("spacingMenu"));
    const QList<QPair<QString, QByteArray>> choices = {{QStringLiteral("1.0 倍行距"), ".uno:SpacePara1"},
                                                      {QStringLiteral("1.5 倍行距"), ".uno:SpacePara15"},
                                                      {QStringLiteral("2.0 倍行距"), ".uno:SpacePara2"}};
    for (const auto &choice : choices) {
        const QByteArray command = choice.second;
        connect(menu->addAction(choice.first), &QAction::triggered, this, [this, command] { emit unoCommand(command, QByteArray()); });
    }
    spacing->setMenu(menu);
    popupButton(spacing);
}

void EditBar::addShapesMenu()
{
    QAction *shapes = addOwn("shapes", QStringLiteral("rect"), QStringLiteral("插入形状"));
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("shapesMenu"));
    const QList<std::tuple<QString, QString, QByteArray>> all = {
        {QStringLiteral("矩形"), QStringLiteral("rect"), ".uno:BasicShapes.rectangle"},
        {QStringLiteral("圆角矩形"), QStringLiteral("roundrect"), ".uno:BasicShapes.round-rectangle"},
        {QStringLiteral("椭圆"), QStringLiteral("ellipse"), ".uno:BasicShapes.ellipse"},
        {QStringLiteral("三角形"), QStringLiteral("triangle"), ".uno:BasicShapes.isosceles-triangle"},
        {QStringLiteral("右箭头"), QStringLiteral("arrow"), ".uno:ArrowShapes.right-arrow"},
        {QStringLiteral("直线"), QStringLiteral("line"), ".uno:Line"},
        {QStringLiteral("五角星"), QStringLiteral("star"), ".uno:StarShapes.star5"},
        {QStringLiteral("标注"), QStringLiteral("callout"), ".uno:CalloutShapes.round-rectangular-callout"},
    };
    for (const auto &shape : all) {
        const QByteArray command = std::get<2>(shape);
        QAction *a = menu->addAction(EditIcons::icon(std::get<1>(shape)), std::get<0>(shape));
        a->setObjectName(QStringLiteral("shape_") + std::get<1>(shape));
        m_actions.insert(command, a);
        connect(a, &QAction::triggered, this, [this, command] { emit unoCommand(command, QByteArray()); });
    }
    shapes->setMenu(menu);
    popupButton(shapes);
}

void EditBar::addTableMenu()
{
    QAction *table = addOwn("table", QStringLiteral("table"), QStringLiteral("插入表格"));
    m_tableMenu = new QMenu(this);
    m_tableMenu->setObjectName(QStringLiteral("tableMenu"));
    auto *picker = new TableSizePicker(m_tableMenu);
    auto *holder = new QWidgetAction(m_tableMenu);
    holder->setDefaultWidget(picker);
    m_tableMenu->addAction(holder);
    connect(picker, &TableSizePicker::picked, this, [this](int rows, int columns) {
        m_tableMenu->close();
        emit unoCommand(".uno:InsertTable", args({{QStringLiteral("Rows"), rows}, {QStringLiteral("Columns"), columns}}));
    });
    table->setMenu(m_tableMenu);
    popupButton(table);
}

void EditBar::addSlideMenu()
{
    QAction *add = addOwn("newslide", QStringLiteral("newslide"), QStringLiteral("新建幻灯片"));
    m_layouts = new QMenu(this);
    m_layouts->setObjectName(QStringLiteral("layoutMenu"));
    const QStringList icons = {QStringLiteral("title"), QStringLiteral("content"), QStringLiteral("titleonly"),
                               QStringLiteral("two"), QStringLiteral("blank")};
    const auto all = layouts();
    for (int i = 0; i < all.size(); ++i) {
        const int layout = all.at(i).second;
        QAction *a = m_layouts->addAction(EditIcons::layout(icons.at(i)), all.at(i).first);
        a->setObjectName(QStringLiteral("layout_") + icons.at(i));
        connect(a, &QAction::triggered, this, [this, layout] { emit newSlideRequested(layout); });
    }
    // The icon needs a box of its own size: the menu's is a small icon's.
    m_layouts->setStyleSheet(QStringLiteral("QMenu::item { padding: 6px 16px 6px 64px; }"
                                            "QMenu::icon { width: 48px; height: 28px; left: 8px; }"));
    add->setMenu(m_layouts);
    add->setData(true);
    popupButton(add);
    connect(add, &QAction::triggered, this, [this] { emit newSlideRequested(1); });
}

void EditBar::follow(const QByteArray &command, const QString &value)
{
    const bool enabled = value != QLatin1String("disabled");
    if (command == ".uno:CharFontName") {
        m_family->setEnabled(enabled);
        if (enabled)
            showInBox(m_family, value);
        return;
    }
    if (command == ".uno:FontHeight") {
        m_size->setEnabled(enabled);
        if (enabled) {
            bool ok = false;
            const double points = value.toDouble(&ok);
            showInBox(m_size, ok && points > 0 ? QString::number(points) : QString());
        }
        return;
    }
    QAction *a = m_actions.value(command);
    if (!a)
        return;
    a->setEnabled(enabled);
    if (a->isCheckable())
        a->setChecked(value == QLatin1String("true"));
}

void EditBar::keyPressEvent(QKeyEvent *event)
{
    event->accept();
}
