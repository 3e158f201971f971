#pragma once

#include <QHash>
#include <QToolBar>
#include <QVariant>

class OfficeState;
class QComboBox;
class QMenu;
class QToolButton;

// The editing bar above the slide: undo, character and paragraph format,
// inserting text boxes, shapes, tables and pictures, new slides and the
// slide show. It speaks the office's command names and follows the caret
// through the office's state notifications: what is on is checked, what
// does not apply is disabled.
class EditBar : public QToolBar
{
    Q_OBJECT

public:
    explicit EditBar(OfficeState *state, QWidget *parent = nullptr);

    // The action that sends this office command (".uno:Bold"), or one of
    // ours by name ("picture", "newslide", "duplicate", "present", "table",
    // "shapes", "colour", "highlight", "spacing").
    QAction *action(const QByteArray &name) const { return m_actions.value(name); }
    QComboBox *familyBox() const { return m_family; }
    QComboBox *sizeBox() const { return m_size; }
    QMenu *layoutMenu() const { return m_layouts; }
    QMenu *tableMenu() const { return m_tableMenu; }

    // The office's layout numbers of the new-slide picker, in its order.
    static QList<QPair<QString, int>> layouts();
    static QStringList fontSizes();
    static QByteArray args(const QVariantMap &values);

signals:
    void unoCommand(const QByteArray &name, const QByteArray &args);
    void insertPictureRequested();
    void newSlideRequested(int layout);
    void duplicateSlideRequested();
    void presentRequested();

protected:
    // Keys the bar's boxes leave unhandled (Enter after a font size) must
    // not go on to the slide behind it: they would replace selected text.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAction *addCommand(const QByteArray &command, const QString &icon, const QString &tip, bool checkable = false);
    QAction *addOwn(const QByteArray &name, const QString &icon, const QString &tip);
    QToolButton *popupButton(QAction *action);
    void addFamilyBox();
    void addSizeBox();
    void addColour(const QByteArray &name, const QByteArray &command, const QString &tip, const QColor &initial);
    void addParagraphMenu();
    void addShapesMenu();
    void addTableMenu();
    void addSlideMenu();
    void follow(const QByteArray &command, const QString &value);

    OfficeState *m_state;
    QHash<QByteArray, QAction *> m_actions;
    QComboBox *m_family = nullptr;
    QComboBox *m_size = nullptr;
    QMenu *m_layouts = nullptr;
    QMenu *m_tableMenu = nullptr;
};
