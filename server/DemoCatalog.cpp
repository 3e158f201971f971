#include "DemoCatalog.h"

#include "Curriculum.h"

namespace {
QColor subjectAccent(const QString &subject)
{
    if (subject == QLatin1String("1"))
        return QColor(0xC0, 0x39, 0x2B);
    if (subject == QLatin1String("2"))
        return QColor(0x2F, 0x80, 0xED);
    if (subject == QLatin1String("3"))
        return QColor(0x8E, 0x44, 0xAD);
    if (subject == QLatin1String("4"))
        return QColor(0xE6, 0x7E, 0x22);
    return QColor(0x03, 0x80, 0x4B);
}

QString lessonId(const QString &textbook, const QString &name)
{
    for (const Curriculum::Node &n : Curriculum::catalogue(textbook)) {
        if (n.id.size() == 11 && n.name == name)
            return n.id;
    }
    return QString();
}

// The knowledge point that carries the lesson's name, with its unit.
QString knowledgeFor(const QString &textbook, const QString &name)
{
    for (const Curriculum::Node &n : Curriculum::knowledge(textbook)) {
        if (n.id.size() == 12 && n.name == name)
            return n.parentId + QLatin1Char(',') + n.id;
    }
    return QString();
}

struct Pick
{
    qint64 owner;
    QString textbook;
    QString lesson;
    QString xuedou;
    QString isFee;
    int delFlag;
};

const QVector<Pick> &coursewarePicks()
{
    static const QVector<Pick> p = {
        {10001, QStringLiteral("5021011"), QStringLiteral("1~5的认识"), QStringLiteral("120"), QStringLiteral("1"), 1},
        {10001, QStringLiteral("5021011"), QStringLiteral("比大小"), QString(), QStringLiteral("0"), 0},
        {10001, QStringLiteral("5021011"), QStringLiteral("分与合"), QStringLiteral("100"), QStringLiteral("1"), 0},
        {10001, QStringLiteral("5021011"), QStringLiteral("认识立体图形"), QString(), QStringLiteral("0"), 0},
        {10001, QStringLiteral("5021011"), QStringLiteral("认识整时"), QStringLiteral("150"), QStringLiteral("1"), 0},
        {10001, QStringLiteral("5021011"), QStringLiteral("9加几"), QString(), QStringLiteral("0"), 0},
        {10001, QStringLiteral("5014031"), QStringLiteral("大青树下的小学"), QStringLiteral("200"), QStringLiteral("1"), 0},
        {10001, QStringLiteral("5014031"), QStringLiteral("古诗三首"), QString(), QStringLiteral("0"), 0},
        {10001, QStringLiteral("5014031"), QStringLiteral("秋天的雨"), QString(), QStringLiteral("0"), 0},
        {10001, QStringLiteral("5014031"), QStringLiteral("司马光"), QStringLiteral("100"), QStringLiteral("1"), 0},
        {10001, QStringLiteral("5031041"), QStringLiteral("Part A Let's talk"), QString(), QStringLiteral("0"), 0},
        {10001, QStringLiteral("5031041"), QStringLiteral("Part B Read and write"), QString(), QStringLiteral("0"), 0},
        {10001, QStringLiteral("5021071"), QStringLiteral("正数和负数"), QStringLiteral("300"), QStringLiteral("1"), 0},
        {10001, QStringLiteral("5021071"), QStringLiteral("有理数的加减法"), QString(), QStringLiteral("0"), 0},
        {10002, QStringLiteral("5041081"), QStringLiteral("光的反射"), QStringLiteral("200"), QStringLiteral("1"), 0},
        {10002, QStringLiteral("5041081"), QStringLiteral("平面镜成像"), QStringLiteral("200"), QStringLiteral("1"), 0},
        {10002, QStringLiteral("5041081"), QStringLiteral("声音的产生与传播"), QString(), QStringLiteral("0"), 0},
        {10002, QStringLiteral("5041081"), QStringLiteral("温度"), QString(), QStringLiteral("0"), 0},
        {10002, QStringLiteral("5021071"), QStringLiteral("整式"), QStringLiteral("150"), QStringLiteral("1"), 0},
        {10002, QStringLiteral("5021071"), QStringLiteral("从算式到方程"), QString(), QStringLiteral("0"), 0},
    };
    return p;
}

struct MicroPick
{
    qint64 owner;
    QString textbook;
    QString lesson;
    QString title;
    QString xuedou;
    QString isFee;
};

const QVector<MicroPick> &microPicks()
{
    static const QVector<MicroPick> p = {
        {10001, QStringLiteral("5021011"), QStringLiteral("认识整时"), QStringLiteral("认识钟表：整时与半时"), QStringLiteral("100"), QStringLiteral("1")},
        {10001, QStringLiteral("5021011"), QStringLiteral("加法"), QStringLiteral("5以内的加法"), QString(), QStringLiteral("0")},
        {10001, QStringLiteral("5021011"), QStringLiteral("比大小"), QStringLiteral("比大小的小窍门"), QString(), QStringLiteral("0")},
        {10001, QStringLiteral("5014031"), QStringLiteral("古诗三首"), QStringLiteral("古诗《山行》朗读指导"), QStringLiteral("120"), QStringLiteral("1")},
        {10001, QStringLiteral("5014031"), QStringLiteral("秋天的雨"), QStringLiteral("《秋天的雨》课文精讲"), QString(), QStringLiteral("0")},
        {10001, QStringLiteral("5031041"), QStringLiteral("Part A Let's learn"), QStringLiteral("My classroom 单词学习"), QString(), QStringLiteral("0")},
        {10001, QStringLiteral("5031041"), QStringLiteral("Part A Let's talk"), QStringLiteral("Unit 1 课堂对话练习"), QStringLiteral("100"), QStringLiteral("1")},
        {10001, QStringLiteral("5021071"), QStringLiteral("正数和负数"), QStringLiteral("正负数的生活实例"), QString(), QStringLiteral("0")},
        {10001, QStringLiteral("5021071"), QStringLiteral("有理数的加减法"), QStringLiteral("有理数加法法则"), QStringLiteral("150"), QStringLiteral("1")},
        {10001, QStringLiteral("5021011"), QStringLiteral("认识立体图形"), QStringLiteral("认识立体图形"), QString(), QStringLiteral("0")},
        {10001, QStringLiteral("5021011"), QStringLiteral("拼一拼"), QStringLiteral("拼一拼：动手操作"), QString(), QStringLiteral("0")},
        {10001, QStringLiteral("5014031"), QStringLiteral("司马光"), QStringLiteral("《司马光》文言文朗读"), QString(), QStringLiteral("0")},
        {10001, QStringLiteral("5021011"), QStringLiteral("9加几"), QStringLiteral("9加几：凑十法"), QStringLiteral("100"), QStringLiteral("1")},
        {10002, QStringLiteral("5041081"), QStringLiteral("光的反射"), QStringLiteral("光的反射实验"), QStringLiteral("200"), QStringLiteral("1")},
        {10002, QStringLiteral("5041081"), QStringLiteral("平面镜成像"), QStringLiteral("平面镜成像原理"), QStringLiteral("200"), QStringLiteral("1")},
        {10002, QStringLiteral("5041081"), QStringLiteral("声音的产生与传播"), QStringLiteral("声音是怎样产生的"), QString(), QStringLiteral("0")},
        {10002, QStringLiteral("5041081"), QStringLiteral("温度"), QStringLiteral("温度计的使用"), QString(), QStringLiteral("0")},
    };
    return p;
}

const char *VideoSources[] = {
    "testsrc2=s=640x360:r=25",
    "smptehdbars=s=640x360:r=25",
    "gradients=s=640x360:r=25:c0=0x2F80ED:c1=0x03804B:x0=0:y0=0:x1=640:y1=360:speed=0.02",
    "life=s=640x360:r=25:mold=10:ratio=0.1:death_color=#1E3A5F:life_color=#7FD1AE",
    "cellauto=s=640x360:r=25:rule=110",
    "rgbtestsrc=s=640x360:r=25",
    "gradients=s=640x360:r=25:c0=0xF2994A:c1=0xC0392B:x0=0:y0=360:x1=640:y1=0:speed=0.02",
};

QVector<DeckSlide> lessonSlides(const QString &lesson, const QString &book, const QColor &accent, const QByteArray &picture)
{
    const QColor paper(0xFA, 0xFB, 0xFC);
    DeckSlide cover;
    cover.kind = DeckSlide::Cover;
    cover.title = lesson;
    cover.subtitle = book;
    cover.accent = accent;
    cover.background = paper;
    DeckSlide goals;
    goals.title = QStringLiteral("学习目标");
    goals.lines = QStringList{QStringLiteral("认识并理解“%1”的主要内容").arg(lesson), QStringLiteral("能结合生活中的例子说一说、做一做"),
                   QStringLiteral("养成认真观察、积极思考的好习惯")};
    goals.accent = accent;
    goals.background = paper;
    DeckSlide explore;
    explore.title = QStringLiteral("新知探究");
    explore.lines = QStringList{QStringLiteral("观察图片，说说你发现了什么"), QStringLiteral("小组合作，交流学习要点"),
                     QStringLiteral("教师讲解与示范")};
    explore.accent = accent;
    explore.background = paper;
    explore.picture = picture;
    explore.pictureSuffix = QStringLiteral("jpg");
    DeckSlide practice;
    practice.title = QStringLiteral("课堂练习");
    practice.lines = QStringList{QStringLiteral("基础练习：完成课本上的“练一练”"), QStringLiteral("拓展提升：联系生活再举一个例子"),
                      QStringLiteral("课堂小结：今天你学会了什么？")};
    practice.accent = accent;
    practice.background = paper;
    return {cover, goals, explore, practice};
}

QVector<DeckSlide> templateSlides(const QString &name, int category, const QColor &accent)
{
    static const QStringList titles[4] = {
        {QStringLiteral("作者与背景"), QStringLiteral("内容赏析"), QStringLiteral("拓展阅读")},
        {QStringLiteral("知识回顾"), QStringLiteral("例题精讲"), QStringLiteral("巩固练习")},
        {QStringLiteral("Warm up"), QStringLiteral("Let's learn"), QStringLiteral("Let's practise")},
        {QStringLiteral("活动目标"), QStringLiteral("活动过程"), QStringLiteral("总结与反思")},
    };
    static const QStringList bullets[4] = {
        {QStringLiteral("在这里写下作者简介"), QStringLiteral("写作背景与时代特点"), QStringLiteral("朗读要求：读准字音、读出节奏"),
         QStringLiteral("逐句品读，体会关键词句"), QStringLiteral("小组交流：你最喜欢哪一句？"), QStringLiteral("说说作者表达的情感"),
         QStringLiteral("推荐阅读篇目"), QStringLiteral("课后小练笔"), QStringLiteral("背诵与默写")},
        {QStringLiteral("上节课我们学习了什么？"), QStringLiteral("复习相关公式与概念"), QStringLiteral("口算热身"),
         QStringLiteral("例题：在这里输入题目"), QStringLiteral("分析思路，列出算式"), QStringLiteral("规范书写解题过程"),
         QStringLiteral("基础题"), QStringLiteral("提高题"), QStringLiteral("挑战题")},
        {QStringLiteral("Sing a song together"), QStringLiteral("Free talk"), QStringLiteral("Look and guess"),
         QStringLiteral("New words"), QStringLiteral("Listen and repeat"), QStringLiteral("Read and match"),
         QStringLiteral("Role play"), QStringLiteral("Pair work"), QStringLiteral("Homework")},
        {QStringLiteral("明确本次活动的目的"), QStringLiteral("培养合作与表达能力"), QStringLiteral("增强集体荣誉感"),
         QStringLiteral("环节一：情境导入"), QStringLiteral("环节二：分组讨论"), QStringLiteral("环节三：展示交流"),
         QStringLiteral("我的收获"), QStringLiteral("还想改进的地方"), QStringLiteral("教师寄语")},
    };
    const QColor paper = accent.lighter(190);
    DeckSlide cover;
    cover.kind = DeckSlide::Cover;
    cover.title = name;
    cover.subtitle = QStringLiteral("Lumexa 模板库");
    cover.accent = accent;
    cover.background = paper;
    QVector<DeckSlide> slides{cover};
    for (int i = 0; i < 3; ++i) {
        DeckSlide s;
        s.title = titles[category].at(i);
        s.lines = bullets[category].mid(i * 3, 3);
        s.accent = accent;
        s.background = Qt::white;
        slides.append(s);
    }
    return slides;
}

QString durationText(int seconds)
{
    return QStringLiteral("00:00:%1").arg(seconds, 2, 10, QLatin1Char('0'));
}
}

const QVector<DemoCatalog::Account> &DemoCatalog::accounts()
{
    static const QVector<Account> a = {
        {10001, QStringLiteral("teacher01"), QStringLiteral("123456"), QStringLiteral("张丽华"), QStringLiteral("13800000001"),
         QStringLiteral("1280.0"), QStringLiteral("3101"), QStringLiteral("阳光第一实验小学"), QStringLiteral("3")},
        {10002, QStringLiteral("teacher02"), QStringLiteral("123456"), QStringLiteral("李建国"), QStringLiteral("13800000002"),
         QStringLiteral("860.0"), QStringLiteral("3102"), QStringLiteral("育才中学"), QStringLiteral("3")},
        {20001, QStringLiteral("student01"), QStringLiteral("123456"), QStringLiteral("陈小雨"), QStringLiteral("13800000003"),
         QStringLiteral("120.0"), QStringLiteral("3101"), QStringLiteral("阳光第一实验小学"), QStringLiteral("1")},
    };
    return a;
}

const QVector<DemoCatalog::Category> &DemoCatalog::categories()
{
    static const QVector<Category> c = {
        {1101, 1, QStringLiteral("自然风光")}, {1102, 1, QStringLiteral("动物世界")},
        {1103, 1, QStringLiteral("校园生活")}, {1104, 1, QStringLiteral("节日庆典")},
        {1201, 2, QStringLiteral("学科图标")}, {1202, 2, QStringLiteral("卡通插画")}, {1203, 2, QStringLiteral("箭头指示")},
        {1301, 3, QStringLiteral("基本形状")}, {1302, 3, QStringLiteral("星形与旗帜")}, {1303, 3, QStringLiteral("标注气泡")},
        {1401, 4, QStringLiteral("实验演示")}, {1402, 4, QStringLiteral("自然科普")}, {1403, 4, QStringLiteral("课堂实录")},
        {1601, 6, QStringLiteral("语文模板")}, {1602, 6, QStringLiteral("数学模板")},
        {1603, 6, QStringLiteral("英语模板")}, {1604, 6, QStringLiteral("通用模板")},
    };
    return c;
}

QString DemoCatalog::photoFile(int category, int index)
{
    return QStringLiteral("/library/images/photo-%1-%2.jpg").arg(category + 1).arg(index + 1);
}

const QVector<DemoCatalog::LibraryItem> &DemoCatalog::libraryItems()
{
    static const QVector<LibraryItem> items = [] {
        QVector<LibraryItem> out;
        static const QStringList photos[4] = {
            {QStringLiteral("春天的山谷"), QStringLiteral("湖边日出"), QStringLiteral("夏日海滩"), QStringLiteral("秋天的树林"),
             QStringLiteral("冬日雪山"), QStringLiteral("星空下的草原")},
            {QStringLiteral("可爱的小猫"), QStringLiteral("草原上的长颈鹿"), QStringLiteral("池塘里的青蛙"), QStringLiteral("森林里的小鹿"),
             QStringLiteral("企鹅一家"), QStringLiteral("蝴蝶与花")},
            {QStringLiteral("美丽的校园"), QStringLiteral("升旗仪式"), QStringLiteral("课间操"), QStringLiteral("图书馆一角"),
             QStringLiteral("运动会"), QStringLiteral("科学实验室")},
            {QStringLiteral("春节灯笼"), QStringLiteral("中秋月圆"), QStringLiteral("元宵花灯"), QStringLiteral("端午龙舟"),
             QStringLiteral("国庆烟花"), QStringLiteral("六一儿童节")},
        };
        qint64 id = 2001;
        for (int c = 0; c < 4; ++c)
            for (int i = 0; i < 6; ++i)
                out.append({id++, 1101 + c, 1, photos[c].at(i), photoFile(c, i), {}, c * 6 + i});
        static const QStringList vectors[3] = {
            {QStringLiteral("书本"), QStringLiteral("铅笔"), QStringLiteral("地球仪"), QStringLiteral("烧杯"), QStringLiteral("直尺")},
            {QStringLiteral("太阳"), QStringLiteral("云朵"), QStringLiteral("小树"), QStringLiteral("小房子"), QStringLiteral("气球")},
            {QStringLiteral("向右箭头"), QStringLiteral("循环箭头"), QStringLiteral("双向箭头"), QStringLiteral("上升箭头"), QStringLiteral("弯曲箭头")},
        };
        id = 2101;
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < 5; ++i)
                out.append({id++, 1201 + c, 2, vectors[c].at(i), QStringLiteral("/library/vectors/vector-%1-%2.png").arg(c + 1).arg(i + 1), {}, c * 5 + i});
        static const QStringList shapes[3] = {
            {QStringLiteral("矩形"), QStringLiteral("圆角矩形"), QStringLiteral("圆形"), QStringLiteral("三角形"), QStringLiteral("菱形")},
            {QStringLiteral("五角星"), QStringLiteral("八角星"), QStringLiteral("爆炸形"), QStringLiteral("波浪旗帜"), QStringLiteral("横幅")},
            {QStringLiteral("矩形标注"), QStringLiteral("圆形标注"), QStringLiteral("云形标注"), QStringLiteral("思考气泡"), QStringLiteral("箭头标注")},
        };
        id = 2201;
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < 5; ++i)
                out.append({id++, 1301 + c, 3, shapes[c].at(i), QStringLiteral("/library/shapes/shape-%1-%2.png").arg(c + 1).arg(i + 1), {}, c * 5 + i});
        static const QStringList videos[3] = {
            {QStringLiteral("水的沸腾实验"), QStringLiteral("光的折射实验")},
            {QStringLiteral("四季的变化"), QStringLiteral("植物的生长")},
            {QStringLiteral("数学公开课片段"), QStringLiteral("英语口语练习")},
        };
        id = 2301;
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < 2; ++i)
                out.append({id++, 1401 + c, 4, videos[c].at(i), QStringLiteral("/library/video-%1.mp4").arg(c * 2 + i + 1), {}, c * 2 + i});
        static const QStringList templates[4] = {
            {QStringLiteral("古诗词赏析"), QStringLiteral("阅读理解方法"), QStringLiteral("作文指导")},
            {QStringLiteral("数学公式推导"), QStringLiteral("几何图形认识"), QStringLiteral("应用题解题思路")},
            {QStringLiteral("英语单词卡片"), QStringLiteral("英语情景对话"), QStringLiteral("英语语法精讲")},
            {QStringLiteral("开学第一课"), QStringLiteral("主题班会"), QStringLiteral("期末复习")},
        };
        id = 2401;
        for (int c = 0; c < 4; ++c) {
            for (int i = 0; i < 3; ++i) {
                const int n = c * 3 + i + 1;
                QStringList pictures;
                for (int k = 1; k <= 4; ++k)
                    pictures.append(QStringLiteral("/library/templates/template-%1/slide-%2.jpg").arg(n).arg(k));
                out.append({id++, 1601 + c, 6, templates[c].at(i), QStringLiteral("/library/templates/template-%1.pptx").arg(n),
                            pictures, c});
            }
        }
        return out;
    }();
    return items;
}

const QVector<DemoCatalog::Deck> &DemoCatalog::decks()
{
    static const QVector<Deck> d = [] {
        QVector<Deck> out;
        const auto &picks = coursewarePicks();
        for (int i = 0; i < picks.size(); ++i) {
            Curriculum::Textbook book;
            Curriculum::textbook(picks.at(i).textbook, &book);
            Deck deck;
            deck.file = QStringLiteral("/courseware/cw-%1.pptx").arg(i + 1);
            deck.title = picks.at(i).lesson;
            // The explore slide shows a library photo; its bytes are filled
            // in when the media are made.
            deck.slides = lessonSlides(picks.at(i).lesson, book.name, subjectAccent(QString::number(book.subject)), QByteArray());
            for (int k = 1; k <= deck.slides.size(); ++k)
                deck.slidePictures.append(QStringLiteral("/courseware/cw-%1/slide-%2.jpg").arg(i + 1).arg(k));
            out.append(deck);
        }
        for (const LibraryItem &item : libraryItems()) {
            if (item.category < 1601)
                continue;
            Deck deck;
            deck.file = item.file;
            deck.title = item.title;
            static const QColor accents[4] = {QColor(0xC0, 0x39, 0x2B), QColor(0x2F, 0x80, 0xED),
                                              QColor(0x8E, 0x44, 0xAD), QColor(0x03, 0x80, 0x4B)};
            deck.slides = templateSlides(item.title, item.art, accents[item.art]);
            deck.slidePictures = item.slidePictures;
            out.append(deck);
        }
        return out;
    }();
    return d;
}

const QVector<DemoCatalog::Resource> &DemoCatalog::resources()
{
    static const QVector<Resource> r = [] {
        QVector<Resource> out;
        const auto &picks = coursewarePicks();
        for (int i = 0; i < picks.size(); ++i) {
            const Pick &p = picks.at(i);
            Curriculum::Textbook book;
            Curriculum::textbook(p.textbook, &book);
            Resource res;
            res.kind = QStringLiteral("courseware");
            res.owner = p.owner;
            res.name = p.lesson + (i % 3 == 0 ? QStringLiteral("（第1课时）") : QStringLiteral("课件"));
            res.file = decks().at(i).file;
            res.grade = QString::number(book.grade);
            res.subject = QString::number(book.subject);
            res.version = QString::number(book.version);
            res.smallDbType = i % 4 == 3 ? QStringLiteral("2") : QStringLiteral("1");
            res.textbook = p.textbook;
            res.treeId = lessonId(p.textbook, p.lesson);
            res.chapter = knowledgeFor(p.textbook, p.lesson);
            res.xuedou = p.xuedou;
            res.isFee = p.isFee;
            res.delFlag = p.delFlag;
            res.deck = i;
            out.append(res);
        }
        const auto &micro = microPicks();
        for (int i = 0; i < micro.size(); ++i) {
            const MicroPick &p = micro.at(i);
            Curriculum::Textbook book;
            Curriculum::textbook(p.textbook, &book);
            Resource res;
            res.kind = QStringLiteral("micro");
            res.owner = p.owner;
            res.name = p.title;
            // Lectures of one grade and subject share a demo video.
            res.file = QStringLiteral("/micro/micro-%1-%2.mp4").arg(book.subject).arg(book.grade);
            res.grade = QString::number(book.grade);
            res.subject = QString::number(book.subject);
            res.version = QString::number(book.version);
            res.smallDbType = i % 5 == 4 ? QStringLiteral("2") : QStringLiteral("1");
            res.textbook = p.textbook;
            res.treeId = lessonId(p.textbook, p.lesson);
            res.chapter = knowledgeFor(p.textbook, p.lesson);
            res.xuedou = p.xuedou;
            res.isFee = p.isFee;
            res.intro = QStringLiteral("本微课围绕“%1”展开，时长短小，适合课前预习和课后复习。").arg(p.lesson);
            res.duration = durationText(4);
            out.append(res);
        }
        return out;
    }();
    return r;
}

const QVector<QPair<qint64, int>> &DemoCatalog::purchases()
{
    // teacher01 bought two decks and one more of teacher02, and two of his
    // micro-lectures; teacher02 bought one of teacher01's decks.
    static const QVector<QPair<qint64, int>> p = {
        {10001, 14}, {10001, 15}, {10001, 18}, {10001, 20 + 13}, {10001, 20 + 14}, {10002, 4},
    };
    return p;
}

const QVector<DemoCatalog::Video> &DemoCatalog::videos()
{
    static const QVector<Video> v = [] {
        QVector<Video> out;
        int n = 0;
        for (const LibraryItem &item : libraryItems()) {
            if (item.category >= 1401 && item.category < 1500)
                out.append({item.file, item.title, QStringLiteral("Lumexa 视频库"),
                            QString::fromLatin1(VideoSources[n++ % 7])});
        }
        QStringList seen;
        for (const Resource &r : resources()) {
            if (r.kind != QLatin1String("micro") || seen.contains(r.file))
                continue;
            seen.append(r.file);
            out.append({r.file,
                        Curriculum::label(QString::fromLatin1(Curriculum::GradeType), r.grade)
                            + Curriculum::label(QString::fromLatin1(Curriculum::SubjectType), r.subject),
                        QStringLiteral("Lumexa 微课示例"), QString::fromLatin1(VideoSources[n++ % 7])});
        }
        return out;
    }();
    return v;
}

const QVector<DemoCatalog::Help> &DemoCatalog::helpArticles()
{
    static const QVector<Help> h = {
        {QStringLiteral("1"), QStringLiteral("如何进入习题录入"),
         QStringLiteral("登录后点击顶部的“习题录入”即可进入录入页面，页面会自动使用当前账号登录，无需再次输入密码。"),
         QStringLiteral("/help/help-1-1.png")},
        {QStringLiteral("1"), QStringLiteral("批量导入习题"),
         QStringLiteral("在习题录入页面选择“批量导入”，按照模板整理好题目、选项、答案和解析后上传文件，系统会自动识别题型并生成习题。"
                        "导入完成后可以逐题检查并修改，确认无误后再发布到题库。"),
         QStringLiteral("/help/help-1-2.png,/help/help-1-3.png")},
        {QStringLiteral("1"), QStringLiteral("习题的编辑与修改"),
         QStringLiteral("在习题列表中点击“编辑”可以修改题干、选项和答案，保存后立即生效。"),
         QStringLiteral("/help/help-1-4.png")},
        {QStringLiteral("1"), QStringLiteral("公式与图片的插入"),
         QStringLiteral("编辑题目时可以使用公式编辑器输入分数、根式等数学公式，也可以插入本地图片作为题目的配图，图片大小建议不超过2MB。"),
         QStringLiteral("/help/help-1-5.png,,/help/help-1-video.mp4")},
        {QStringLiteral("1"), QStringLiteral("习题录入常见问题"),
         QStringLiteral("页面空白时请检查网络连接后刷新；如提示登录失效，请退出客户端后重新登录。"), QString()},
        {QStringLiteral("2"), QStringLiteral("新建与打开课件"),
         QStringLiteral("在课件录入页面点击“新建”会创建一个空白课件，点击“打开”可以选择本地的PPT文件进行编辑。"),
         QStringLiteral("/help/help-2-1.png")},
        {QStringLiteral("2"), QStringLiteral("使用模板库快速制作课件"),
         QStringLiteral("点击左侧菜单的“课堂模式”打开模板库，按分类浏览或搜索模板，鼠标停留在模板上可以预览全部幻灯片，"
                        "点击“应用”即可在编辑器中打开该模板并开始编辑。"),
         QStringLiteral("/help/help-2-2.png,/help/help-2-3.png")},
        {QStringLiteral("2"), QStringLiteral("发布课件到平台"),
         QStringLiteral("编辑完成后先保存课件，再点击“发布”，填写课件名称、科目、版本、年级、册别、目录和知识点，"
                        "选择免费或付费后点击“确认分享”，上传完成后即可在“我的课件”中看到。"),
         QStringLiteral("/help/help-2-4.png")},
        {QStringLiteral("2"), QStringLiteral("课件的分享与取消分享"),
         QStringLiteral("在“我的课件”中点击“分享”设置标题和学豆价格；已分享的课件可以随时取消分享。"),
         QStringLiteral("/help/help-2-5.png")},
        {QStringLiteral("2"), QStringLiteral("导出课件到本地"),
         QStringLiteral("点击“选择”勾选需要的课件后点击“导出”，选择保存位置即可下载。每位教师每天可以导出的数量有限，请合理安排。"),
         QStringLiteral("/help/help-2-6.png")},
        {QStringLiteral("3"), QStringLiteral("导入视频并剪辑"),
         QStringLiteral("在微课录入页面打开本地MP4视频，拖动进度条两端的滑块选择需要的片段，点击“保存”即可剪辑出新的视频。"),
         QStringLiteral("/help/help-3-1.png,/help/help-3-2.png")},
        {QStringLiteral("3"), QStringLiteral("发布微课"),
         QStringLiteral("剪辑完成后填写微课名称和简介，选择科目、年级、册别等信息，点击“上传”并确认分享设置，上传成功后会显示发布成功。"),
         QStringLiteral("/help/help-3-3.png")},
        {QStringLiteral("3"), QStringLiteral("管理我的微课"),
         QStringLiteral("在“我的微课”中可以播放、分享、取消分享和删除自己发布的微课；已订购的微课可以播放但不能分享或删除。"
                        "已经下发给班级使用的微课不能删除，如需更换请先在平台端取消下发。"),
         QStringLiteral("/help/help-3-4.png")},
        {QStringLiteral("3"), QStringLiteral("微课导出与次数限制"),
         QStringLiteral("勾选微课后点击“导出”可以保存到本地，每天的导出次数由平台统一设置。"),
         QStringLiteral("/help/help-3-5.png")},
        {QStringLiteral("3"), QStringLiteral("支持的视频格式"),
         QStringLiteral("目前支持H.264编码的MP4视频，建议分辨率不超过1080P，单个视频不超过50MB，过大的视频请先剪辑。"),
         QStringLiteral("/help/help-3-6.png")},
    };
    return h;
}

QVector<QPair<QString, QString>> DemoCatalog::helpPictures()
{
    QVector<QPair<QString, QString>> out;
    for (const Help &h : helpArticles()) {
        int step = 0;
        for (const QString &f : h.files.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (f.endsWith(QLatin1String(".png")))
                out.append({f, h.title + QStringLiteral(" · 步骤") + QString::number(++step)});
        }
    }
    return out;
}

const QVector<DemoCatalog::OwnPicture> &DemoCatalog::ownPictures()
{
    static const QVector<OwnPicture> p = {
        {10001, QStringLiteral("/pictures/10001/own-1.jpg"), QStringLiteral("春游合影.jpg"), 0},
        {10001, QStringLiteral("/pictures/10001/own-2.jpg"), QStringLiteral("黑板报.jpg"), 13},
        {10001, QStringLiteral("/pictures/10001/own-3.jpg"), QStringLiteral("手工作品.jpg"), 20},
        {10002, QStringLiteral("/pictures/10002/own-1.jpg"), QStringLiteral("实验器材.jpg"), 17},
    };
    return p;
}
