#pragma once

#include <QObject>
#include <QPoint>

class DocumentControl;
class DroppedPicture;
class QMenu;

// The document control's context menus and what is dropped onto its slide:
// cut, copy, paste and order for the objects, slides added and removed,
// pictures from a file or dragged in from the libraries. Watches the
// control's menu and drop events.
class SlideActions : public QObject
{
    Q_OBJECT

public:
    explicit SlideActions(DocumentControl *control);

    // The menu of a slide; objects: with the entries for the selection.
    void showMenu(int slide, const QPoint &globalPos, bool objects = false);
    void chooseAndInsertPicture();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addObjectEntries(QMenu &menu);

    DocumentControl *m_control;
    DroppedPicture *m_drops;
};
