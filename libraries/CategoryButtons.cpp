#include "CategoryButtons.h"

#include <QGridLayout>
#include <QPushButton>

const QString &CategoryButtons::styleSheet()
{
    static const QString style = QStringLiteral(
        "QPushButton { background-color: transparent; border-radius: 2px; color: #323232; font: 12px \"微软雅黑\"; }"
        "QPushButton:checked, QPushButton:hover, QPushButton:pressed { background-color: rgba(150, 150, 150, 0.3); }");
    return style;
}

QString CategoryButtons::buttonText(const QString &name, int maxLength)
{
    if (maxLength < 0 || name.size() <= maxLength)
        return name;
    return name.left(maxLength) + QStringLiteral("...");
}

void CategoryButtons::fill(QGridLayout *grid, QWidget *parent, const QList<LibraryItem> &categories,
                           int maxLength, QObject *receiver, const char *slot)
{
    // A list of any length gives at most a few readable rows.
    const int count = qMin(categories.size(), MaxButtons);
    for (int i = 0; i < count; ++i) {
        const LibraryItem &c = categories.at(i);
        auto *b = new QPushButton(parent);
        b->setCheckable(true);
        b->setFixedSize(80, 24);
        b->setCursor(Qt::PointingHandCursor);
        b->setStyleSheet(styleSheet());
        b->setText(buttonText(c.resDescribe, maxLength));
        b->setToolTip(c.resDescribe);
        b->setObjectName(c.id);
        grid->addWidget(b, i / 3, i % 3);
        QObject::connect(b, SIGNAL(clicked(bool)), receiver, slot);
        m_buttons.append(b);
    }
}

QString CategoryButtons::choose(QPushButton *button, bool checked) const
{
    if (!button || !m_buttons.contains(button))
        return {};
    if (!checked) {
        button->setChecked(true);
        return {};
    }
    for (QPushButton *b : m_buttons)
        if (b != button)
            b->setChecked(false);
    return button->objectName();
}
