#pragma once

#include <QString>
#include <memory>

class Widgetmain;
class DialogAnswerer;

// Drives the real main window as a teacher would, by object names: login,
// module and view buttons, the courseware and micro-lecture roads, the help
// centre and logout. Each step returns false with a reason in error().
// Shared by the demo tour and the end-to-end road tests.
class TourDriver
{
public:
    explicit TourDriver(Widgetmain *window);
    ~TourDriver();

    QString error() const { return m_error; }

    bool login(const QString &account, const QString &password = QStringLiteral("123456"));
    bool logout();
    // Top bar modules: 0 exercise input, 1 courseware, 2 micro-lecture, 3 multi-terminal.
    bool module(int index);
    // The courseware menu, views 0 to 6.
    bool coursewareView(int view);
    // The micro-lecture side panel, views 1 to 3.
    bool microView(int view);
    bool helpCentre(int tab);
    bool closeHelpCentre();

    // Courseware road.
    bool applyFirstTemplate();
    // A new slide with a title, a star and a table, then a picture dragged
    // in from the vector library.
    bool editSlide(const QString &title);
    bool dropLibraryPicture();
    bool showEditedSlide();
    bool saveDeck();
    bool fillCoursewareForm(const QString &name);
    bool confirmCoursewareForm();
    bool backToList();
    bool coursewareListShows(const QString &name);

    // Micro-lecture road.
    bool openVideo(const QString &path);
    // Lower handle to about 15 %, end typed as second 9, the name entered.
    bool markRange(const QString &name);
    bool saveCut();
    bool fillMicroPanel();
    bool confirmMicroFree(const QString &intro);
    bool microListShows(const QString &name);

private:
    bool fail(const QString &why);
    bool choose(class QComboBox *combo, int index);
    bool pickCatalogueAndPoints(int unit, int lesson);

    Widgetmain *m_window;
    std::unique_ptr<DialogAnswerer> m_answers;
    QString m_error;
};
