// The demo tour: the real main window against a running platform stand-in,
// driven step by step by TourDriver, with a screenshot of the whole X screen
// after every step and an index.md of the steps.
//
//   lumexa-tour <shots folder> <local mp4> [number of the first step]
//   lumexa-tour --bench-window | --bench-login | --bench-thumbnails <mp4>   (scripts/bench)
//   lumexa-tour --bench-document <folder>   (scripts/bench-document)
//   lumexa-tour --office-cycle <folder>     (scripts/office-cycles)
#include "DocumentBench.h"
#include "Startup.h"
#include "TourBench.h"
#include "TourDriver.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTextStream>
#include <functional>

namespace {
class Tour
{
public:
    Tour(Widgetmain *window, const QString &folder, int firstStep)
        : m_window(window), m_folder(folder), m_step(firstStep - 1)
    {
    }

    // Runs a step and takes its picture, failed or not, after the screen settled.
    bool step(const QString &file, const QString &title, const std::function<bool()> &action, int settleMs = 1200)
    {
        const bool ok = action();
        QTest::qWait(settleMs);
        ++m_step;
        const QString name = QString("%1-%2.png").arg(m_step, 2, 10, QChar('0')).arg(file);
        const QString path = QDir(m_folder).filePath(name);
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QProcess::execute("import", {"-window", "root", path});
        else
            m_window->grab().save(path);
        QFile index(QDir(m_folder).filePath("index.md"));
        if (index.open(QIODevice::Append | QIODevice::Text)) {
            QTextStream out(&index);
            out.setCodec("UTF-8");
            out << "## " << m_step << ". " << title << (ok ? "" : QStringLiteral(" (失败)")) << "\n\n![" << title
                << "](" << name << ")\n\n";
        }
        if (!ok)
            ++m_failures;
        QTextStream(stdout) << (ok ? "ok   " : "FAIL ") << name << "\n";
        return ok;
    }
    int failures() const { return m_failures; }

private:
    Widgetmain *m_window;
    QString m_folder;
    int m_step;
    int m_failures = 0;
};
}

int main(int argc, char *argv[])
{
    Startup::beforeApplication();
    QApplication app(argc, argv);
    Startup::afterApplication(app);
    const QString mode = argc > 1 ? QString(argv[1]) : QString();
    if (mode == "--bench-window")
        return TourBench::bareWindow();
    if (mode == "--bench-login")
        return TourBench::login();
    if (mode == "--bench-document" && argc > 2)
        return DocumentBench::run(QString::fromLocal8Bit(argv[2]));
    if (mode == "--office-cycle" && argc > 2)
        return DocumentBench::cycle(QString::fromLocal8Bit(argv[2]));
    if (mode == "--bench-thumbnails" && argc > 2)
        return TourBench::thumbnails(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath());
    if (argc < 3) {
        QTextStream(stderr) << "usage: lumexa-tour <shots folder> <local mp4> [first step]\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString video = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    QDir().mkpath(folder);

    auto *window = new Widgetmain;
    if (!window->startedUp())
        return 1;
    // The blank deck sits beside the client program, one folder up.
    Widgetmain::installTemplateDeck(QCoreApplication::applicationDirPath() + "/..");
    TourDriver d(window);
    Tour t(window, folder, argc > 3 ? QString(argv[3]).toInt() : 1);
    const QString deck = QStringLiteral("分数的初步认识（演示）");
    const QString micro = QStringLiteral("分数的意义（演示微课）");

    if (!t.step("exercise", QStringLiteral("以 teacher01 登录：练习录入页"), [&] { return d.login("teacher01"); }, 4000))
        return 1;
    t.step("courseware", QStringLiteral("课件页"), [&] { return d.module(1); });
    const QStringList views = {QStringLiteral("编辑课件"), QStringLiteral("我的课件"), QStringLiteral("图片库"),
                               QStringLiteral("矢量图库"), QStringLiteral("形状库"), QStringLiteral("视频库"),
                               QStringLiteral("模板库")};
    for (int v = 0; v < views.size(); ++v)
        t.step(QString("courseware-view%1").arg(v), QStringLiteral("课件页：") + views[v],
               [&] { return d.coursewareView(v); }, 2500);
    t.step("template-applied", QStringLiteral("应用模板"), [&] { return d.applyFirstTemplate(); }, 3000);
    t.step("slide-edited", QStringLiteral("编辑幻灯片：标题、五角星、表格"),
           [&] { return d.editSlide(QStringLiteral("分数的意义")); }, 2000);
    t.step("slide-picture", QStringLiteral("从矢量图库拖入图片"), [&] { return d.dropLibraryPicture(); }, 2500);
    t.step("slide-done", QStringLiteral("编辑好的幻灯片"), [&] { return d.showEditedSlide(); }, 1500);
    t.step("deck-saved", QStringLiteral("保存课件"), [&] { return d.saveDeck(); });
    t.step("publish-form", QStringLiteral("发布表单已填写"), [&] { return d.fillCoursewareForm(deck); });
    t.step("published", QStringLiteral("课件发布成功"), [&] { return d.confirmCoursewareForm(); });
    t.step("courseware-list", QStringLiteral("返回列表：我的课件中的新课件"),
           [&] { return d.backToList() && d.coursewareListShows(deck); }, 2500);

    t.step("micro", QStringLiteral("微课页：我的微课"), [&] { return d.module(2) && d.microView(1); }, 2500);
    t.step("micro-edit", QStringLiteral("微课页：编辑微课"), [&] { return d.microView(2); });
    t.step("micro-tools", QStringLiteral("微课页：工具"), [&] { return d.microView(3); });
    t.step("micro-open", QStringLiteral("打开本地视频"), [&] { return d.microView(2) && d.openVideo(video); }, 2500);
    t.step("micro-range", QStringLiteral("选定剪辑范围"), [&] { return d.markRange(micro); });
    t.step("micro-cut", QStringLiteral("剪辑并保存"), [&] { return d.saveCut(); }, 2500);
    t.step("micro-panel", QStringLiteral("发布信息已填写"), [&] { return d.fillMicroPanel(); });
    t.step("micro-published", QStringLiteral("微课免费发布成功"),
           [&] { return d.confirmMicroFree(QStringLiteral("用分数表示把一个物体平均分成几份。")); });
    t.step("micro-list", QStringLiteral("返回列表：我的微课中的新微课"),
           [&] { return d.backToList() && d.microListShows(micro); }, 2500);

    t.step("terminal", QStringLiteral("多终端页"), [&] { return d.module(3); }, 3000);
    const QStringList tabs = {QStringLiteral("习题"), QStringLiteral("课件"), QStringLiteral("微课")};
    for (int tab = 0; tab < 3; ++tab)
        t.step(QString("help%1").arg(tab), QStringLiteral("帮助中心：") + tabs[tab],
               [&] { return d.helpCentre(tab); }, 2000);
    d.closeHelpCentre();
    t.step("logout", QStringLiteral("退出登录"), [&] { return d.logout(); }, 1500);
    t.step("teacher02", QStringLiteral("以 teacher02 登录"), [&] { return d.login("teacher02"); }, 4000);

    // Web pages must go before the web engine's profile at exit.
    delete window;
    return t.failures() == 0 ? 0 : 1;
}
