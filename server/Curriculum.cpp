#include "Curriculum.h"

#include <QHash>
#include <QMutex>
#include <QStringList>

const char *Curriculum::GradeType = "sys_office_grade";
const char *Curriculum::SubjectType = "sys_subject_type";
const char *Curriculum::VersionType = "CODE_VERSIONTYPE";

namespace {
const QStringList &gradeLabels()
{
    static const QStringList l = {
        QStringLiteral("一年级"), QStringLiteral("二年级"), QStringLiteral("三年级"), QStringLiteral("四年级"),
        QStringLiteral("五年级"), QStringLiteral("六年级"), QStringLiteral("初一"), QStringLiteral("初二"),
        QStringLiteral("初三"), QStringLiteral("高一"), QStringLiteral("高二"), QStringLiteral("高三")};
    return l;
}

struct Subject
{
    QString label;
    int firstGrade, lastGrade;
    QVector<int> versions;
    QStringList topics;
};

const QVector<Subject> &subjects()
{
    static const QVector<Subject> s = {
        {QStringLiteral("语文"), 1, 12, {4, 1, 3},
         {QStringLiteral("识字"), QStringLiteral("课文"), QStringLiteral("古诗词诵读"), QStringLiteral("阅读策略"),
          QStringLiteral("口语交际"), QStringLiteral("习作"), QStringLiteral("名著导读"), QStringLiteral("综合性学习")}},
        {QStringLiteral("数学"), 1, 12, {1, 2, 3, 5},
         {QStringLiteral("数与代数"), QStringLiteral("图形与几何"), QStringLiteral("统计与概率"), QStringLiteral("综合与实践"),
          QStringLiteral("计算技巧"), QStringLiteral("解决问题"), QStringLiteral("方程"), QStringLiteral("函数")}},
        {QStringLiteral("英语"), 3, 12, {1, 6, 5},
         {QStringLiteral("Hello!"), QStringLiteral("Colours"), QStringLiteral("Animals"), QStringLiteral("Numbers"),
          QStringLiteral("My family"), QStringLiteral("Food and drinks"), QStringLiteral("Weather"), QStringLiteral("Seasons")}},
        {QStringLiteral("物理"), 8, 12, {1, 2, 5},
         {QStringLiteral("机械运动"), QStringLiteral("声现象"), QStringLiteral("光现象"), QStringLiteral("运动和力"),
          QStringLiteral("压强"), QStringLiteral("浮力"), QStringLiteral("功和机械能"), QStringLiteral("电流和电路")}},
        {QStringLiteral("化学"), 9, 12, {1, 5},
         {QStringLiteral("走进化学世界"), QStringLiteral("我们周围的空气"), QStringLiteral("物质构成的奥秘"), QStringLiteral("自然界的水"),
          QStringLiteral("化学方程式"), QStringLiteral("碳和碳的氧化物"), QStringLiteral("金属和金属材料"), QStringLiteral("酸和碱")}},
        {QStringLiteral("生物"), 7, 12, {1, 2},
         {QStringLiteral("生物和生物圈"), QStringLiteral("细胞是生命活动的基本单位"), QStringLiteral("生物圈中的绿色植物"),
          QStringLiteral("人体的营养"), QStringLiteral("人体的呼吸"), QStringLiteral("动物的运动和行为"), QStringLiteral("生物的遗传和变异")}},
        {QStringLiteral("历史"), 7, 12, {4, 1},
         {QStringLiteral("史前时期"), QStringLiteral("夏商周时期"), QStringLiteral("秦汉时期"), QStringLiteral("三国两晋南北朝"),
          QStringLiteral("隋唐时期"), QStringLiteral("宋元时期"), QStringLiteral("明清时期"), QStringLiteral("近代化的探索")}},
        {QStringLiteral("地理"), 7, 12, {1, 7},
         {QStringLiteral("地球和地图"), QStringLiteral("陆地和海洋"), QStringLiteral("天气与气候"), QStringLiteral("居民与聚落"),
          QStringLiteral("发展与合作"), QStringLiteral("认识大洲"), QStringLiteral("中国的疆域"), QStringLiteral("中国的自然环境")}},
        {QStringLiteral("道德与法治"), 1, 9, {4},
         {QStringLiteral("我是小学生"), QStringLiteral("我们的班级"), QStringLiteral("我们的社区"), QStringLiteral("友好交往"),
          QStringLiteral("法律在我们身边"), QStringLiteral("珍爱生命")}},
        {QStringLiteral("科学"), 1, 6, {1, 3},
         {QStringLiteral("植物"), QStringLiteral("动物"), QStringLiteral("水"), QStringLiteral("空气"), QStringLiteral("天气"),
          QStringLiteral("岩石与土壤"), QStringLiteral("电路"), QStringLiteral("声音")}},
        {QStringLiteral("音乐"), 1, 9, {1},
         {QStringLiteral("歌唱祖国"), QStringLiteral("快乐的节日"), QStringLiteral("童年的回忆"), QStringLiteral("四季的歌"),
          QStringLiteral("音乐中的动物"), QStringLiteral("民族音乐")}},
        {QStringLiteral("美术"), 1, 9, {1},
         {QStringLiteral("色彩的魅力"), QStringLiteral("线条的游戏"), QStringLiteral("手工制作"), QStringLiteral("我的家乡"),
          QStringLiteral("中国画"), QStringLiteral("设计与应用")}},
        {QStringLiteral("信息技术"), 3, 12, {1},
         {QStringLiteral("认识计算机"), QStringLiteral("键盘与鼠标"), QStringLiteral("画图"), QStringLiteral("文字处理"),
          QStringLiteral("网络与安全"), QStringLiteral("编程初步"), QStringLiteral("数据与表格")}},
    };
    return s;
}

const QStringList &versionLabels()
{
    static const QStringList l = {QStringLiteral("人教版"), QStringLiteral("北师大版"), QStringLiteral("苏教版"),
                                  QStringLiteral("部编版"), QStringLiteral("沪教版"), QStringLiteral("外研版"),
                                  QStringLiteral("湘教版")};
    return l;
}

// Real tables of contents for the volumes the demo data uses most.
struct Contents
{
    QStringList units;
    QVector<QStringList> lessons;
};

const QHash<QString, Contents> &knownContents()
{
    static const QHash<QString, Contents> c = {
        // 人教版数学一年级上册
        {QStringLiteral("5021011"),
         {{QStringLiteral("准备课"), QStringLiteral("位置"), QStringLiteral("1~5的认识和加减法"), QStringLiteral("认识图形（一）"),
           QStringLiteral("6~10的认识和加减法"), QStringLiteral("11~20各数的认识"), QStringLiteral("认识钟表"),
           QStringLiteral("20以内的进位加法")},
          {{QStringLiteral("数一数"), QStringLiteral("比多少")},
           {QStringLiteral("上、下、前、后"), QStringLiteral("左、右")},
           {QStringLiteral("1~5的认识"), QStringLiteral("比大小"), QStringLiteral("第几"), QStringLiteral("分与合"),
            QStringLiteral("加法"), QStringLiteral("减法"), QStringLiteral("0的认识")},
           {QStringLiteral("认识立体图形"), QStringLiteral("拼一拼")},
           {QStringLiteral("6和7的认识"), QStringLiteral("8和9的认识"), QStringLiteral("10的认识"), QStringLiteral("连加 连减")},
           {QStringLiteral("11~20各数的认识"), QStringLiteral("10加几和相应的减法")},
           {QStringLiteral("认识整时"), QStringLiteral("钟面的认识")},
           {QStringLiteral("9加几"), QStringLiteral("8、7、6加几"), QStringLiteral("5、4、3、2加几")}}}},
        // 部编版语文三年级上册
        {QStringLiteral("5014031"),
         {{QStringLiteral("第一单元 学校生活"), QStringLiteral("第二单元 金秋时节"), QStringLiteral("第三单元 童话世界"),
           QStringLiteral("第四单元 预测"), QStringLiteral("第五单元 观察"), QStringLiteral("第六单元 祖国河山"),
           QStringLiteral("第七单元 大自然的声音"), QStringLiteral("第八单元 美好品质")},
          {{QStringLiteral("大青树下的小学"), QStringLiteral("花的学校"), QStringLiteral("不懂就要问")},
           {QStringLiteral("古诗三首"), QStringLiteral("铺满金色巴掌的水泥道"), QStringLiteral("秋天的雨"), QStringLiteral("听听，秋的声音")},
           {QStringLiteral("卖火柴的小女孩"), QStringLiteral("那一定会很好"), QStringLiteral("在牛肚子里旅行"), QStringLiteral("一块奶酪")},
           {QStringLiteral("总也倒不了的老屋"), QStringLiteral("胡萝卜先生的长胡子"), QStringLiteral("小狗学叫")},
           {QStringLiteral("搭船的鸟"), QStringLiteral("金色的草地")},
           {QStringLiteral("古诗三首"), QStringLiteral("富饶的西沙群岛"), QStringLiteral("海滨小城"), QStringLiteral("美丽的小兴安岭")},
           {QStringLiteral("大自然的声音"), QStringLiteral("父亲、树林和鸟"), QStringLiteral("带刺的朋友")},
           {QStringLiteral("司马光"), QStringLiteral("掌声"), QStringLiteral("灰雀"), QStringLiteral("手术台就是阵地")}}}},
        // 人教版英语四年级上册
        {QStringLiteral("5031041"),
         {{QStringLiteral("Unit 1 My classroom"), QStringLiteral("Unit 2 My schoolbag"), QStringLiteral("Unit 3 My friends"),
           QStringLiteral("Unit 4 My home"), QStringLiteral("Unit 5 Dinner's ready"), QStringLiteral("Unit 6 Meet my family!")},
          {}}},
        // 人教版数学初一上册
        {QStringLiteral("5021071"),
         {{QStringLiteral("第一章 有理数"), QStringLiteral("第二章 整式的加减"), QStringLiteral("第三章 一元一次方程"),
           QStringLiteral("第四章 几何图形初步")},
          {{QStringLiteral("正数和负数"), QStringLiteral("有理数"), QStringLiteral("有理数的加减法"), QStringLiteral("有理数的乘除法"),
            QStringLiteral("有理数的乘方")},
           {QStringLiteral("整式"), QStringLiteral("整式的加减")},
           {QStringLiteral("从算式到方程"), QStringLiteral("解一元一次方程（一）"), QStringLiteral("解一元一次方程（二）"),
            QStringLiteral("实际问题与一元一次方程")},
           {QStringLiteral("几何图形"), QStringLiteral("直线、射线、线段"), QStringLiteral("角")}}}},
        // 人教版物理初二上册
        {QStringLiteral("5041081"),
         {{QStringLiteral("第一章 机械运动"), QStringLiteral("第二章 声现象"), QStringLiteral("第三章 物态变化"),
           QStringLiteral("第四章 光现象"), QStringLiteral("第五章 透镜及其应用"), QStringLiteral("第六章 质量与密度")},
          {{QStringLiteral("长度和时间的测量"), QStringLiteral("运动的描述"), QStringLiteral("运动的快慢"), QStringLiteral("测量平均速度")},
           {QStringLiteral("声音的产生与传播"), QStringLiteral("声音的特性"), QStringLiteral("声的利用"), QStringLiteral("噪声的危害和控制")},
           {QStringLiteral("温度"), QStringLiteral("熔化和凝固"), QStringLiteral("汽化和液化"), QStringLiteral("升华和凝华")},
           {QStringLiteral("光的直线传播"), QStringLiteral("光的反射"), QStringLiteral("平面镜成像"), QStringLiteral("光的折射"),
            QStringLiteral("光的色散")},
           {QStringLiteral("透镜"), QStringLiteral("生活中的透镜"), QStringLiteral("凸透镜成像的规律")},
           {QStringLiteral("质量"), QStringLiteral("密度"), QStringLiteral("测量物质的密度")}}}},
    };
    return c;
}

const char *chineseNumber(int n)
{
    static const char *d[] = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
    return n >= 0 && n <= 10 ? d[n] : "";
}

QString two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
}

QVector<Curriculum::DictEntry> Curriculum::dictionary(const QString &type, bool *known)
{
    QVector<DictEntry> out;
    if (known)
        *known = true;
    if (type == QLatin1String(GradeType)) {
        for (int i = 0; i < gradeLabels().size(); ++i)
            out.append({QString::number(100 + i + 1), QString::number(i + 1), gradeLabels().at(i)});
    } else if (type == QLatin1String(SubjectType)) {
        for (int i = 0; i < subjects().size(); ++i)
            out.append({QString::number(200 + i + 1), QString::number(i + 1), subjects().at(i).label});
    } else if (type == QLatin1String(VersionType)) {
        for (int i = 0; i < versionLabels().size(); ++i)
            out.append({QString::number(300 + i + 1), QString::number(i + 1), versionLabels().at(i)});
    } else if (known) {
        *known = false;
    }
    return out;
}

QString Curriculum::label(const QString &type, const QString &value)
{
    // Every listed record names its grade, subject and version.
    static const QHash<QString, QHash<QString, QString>> labels = [] {
        QHash<QString, QHash<QString, QString>> all;
        for (const char *t : {GradeType, SubjectType, VersionType}) {
            for (const DictEntry &e : dictionary(QString::fromLatin1(t)))
                all[QString::fromLatin1(t)].insert(e.value, e.label);
        }
        return all;
    }();
    return labels.value(type).value(value, value);
}

QString Curriculum::textbookId(int subject, int version, int grade, int term)
{
    if (subject < 1 || subject > subjects().size() || term < 1 || term > 2)
        return QString();
    const Subject &s = subjects().at(subject - 1);
    if (grade < s.firstGrade || grade > s.lastGrade || !s.versions.contains(version))
        return QString();
    return QStringLiteral("5%1%2%3%4").arg(two(subject)).arg(version).arg(two(grade)).arg(term);
}

bool Curriculum::textbook(const QString &id, Textbook *out)
{
    if (id.size() != 7 || !id.startsWith(QLatin1Char('5')))
        return false;
    bool a, b, c, d;
    const int subject = id.mid(1, 2).toInt(&a);
    const int version = id.mid(3, 1).toInt(&b);
    const int grade = id.mid(4, 2).toInt(&c);
    const int term = id.mid(6, 1).toInt(&d);
    if (!(a && b && c && d) || textbookId(subject, version, grade, term) != id)
        return false;
    if (out) {
        out->id = id;
        out->subject = subject;
        out->version = version;
        out->grade = grade;
        out->term = term;
        out->name = versionLabels().at(version - 1) + subjects().at(subject - 1).label + gradeLabels().at(grade - 1)
            + (term == 1 ? QStringLiteral("上册") : QStringLiteral("下册"));
    }
    return true;
}

QVector<Curriculum::Textbook> Curriculum::textbooks(const QString &subject, const QString &version, const QString &grade)
{
    QVector<Textbook> out;
    for (int s = 1; s <= subjects().size(); ++s) {
        if (!subject.isEmpty() && subject != QString::number(s))
            continue;
        for (int v = 1; v <= versionLabels().size(); ++v) {
            if (!version.isEmpty() && version != QString::number(v))
                continue;
            for (int g = 1; g <= gradeLabels().size(); ++g) {
                if (!grade.isEmpty() && grade != QString::number(g))
                    continue;
                for (int t = 1; t <= 2; ++t) {
                    Textbook tb;
                    if (textbook(textbookId(s, v, g, t), &tb))
                        out.append(tb);
                }
            }
        }
    }
    return out;
}

QStringList Curriculum::units(const Textbook &t)
{
    const auto known = knownContents().constFind(t.id);
    if (known != knownContents().constEnd())
        return known->units;
    const Subject &s = subjects().at(t.subject - 1);
    QStringList out;
    const int count = qMin(6, s.topics.size());
    for (int u = 0; u < count; ++u) {
        const QString topic = s.topics.at((u + t.grade * 2 + t.term * 3) % s.topics.size());
        if (t.subject == 3)
            out.append(QStringLiteral("Unit %1 %2").arg(u + 1).arg(topic));
        else
            out.append(QStringLiteral("第%1单元 %2").arg(QString::fromUtf8(chineseNumber(u + 1)), topic));
    }
    return out;
}

QStringList Curriculum::lessons(const Textbook &t, int unit, const QString &unitName)
{
    const auto known = knownContents().constFind(t.id);
    if (known != knownContents().constEnd() && unit < known->lessons.size())
        return known->lessons.at(unit);
    if (t.subject == 3)
        return {QStringLiteral("Part A Let's talk"), QStringLiteral("Part A Let's learn"),
                QStringLiteral("Part B Let's talk"), QStringLiteral("Part B Read and write")};
    const QString topic = unitName.section(QLatin1Char(' '), -1);
    return {topic + QStringLiteral("（一）"), topic + QStringLiteral("（二）"), topic + QStringLiteral("练习")};
}

QVector<Curriculum::Node> Curriculum::catalogue(const QString &textbookId)
{
    QVector<Node> out;
    Textbook t;
    if (!textbook(textbookId, &t))
        return out;
    out.append({t.id, t.name, QStringLiteral("0")});
    const QStringList unitNames = units(t);
    for (int u = 0; u < unitNames.size(); ++u) {
        const QString unitId = t.id + two(u + 1);
        out.append({unitId, unitNames.at(u), t.id});
        const QStringList lessonNames = lessons(t, u, unitNames.at(u));
        for (int l = 0; l < lessonNames.size(); ++l) {
            const QString lessonId = unitId + two(l + 1);
            out.append({lessonId, lessonNames.at(l), unitId});
            // The first lesson of every unit is split into periods: a fourth level.
            if (l == 0) {
                for (int k = 1; k <= 2; ++k)
                    out.append({lessonId + two(k), QStringLiteral("第%1课时").arg(k), lessonId});
            }
        }
    }
    return out;
}

QVector<Curriculum::Node> Curriculum::knowledge(const QString &textbookId)
{
    QVector<Node> out;
    Textbook t;
    if (!textbook(textbookId, &t))
        return out;
    const QStringList unitNames = units(t);
    for (int u = 0; u < unitNames.size(); ++u) {
        const QString unitId = QStringLiteral("8") + t.id + two(u + 1);
        // "第一单元 学校生活" becomes "学校生活"; English unit names stay whole.
        const QString full = unitNames.at(u);
        const QString unitName = full.startsWith(QLatin1String("Unit")) || !full.contains(QLatin1Char(' '))
            ? full
            : full.section(QLatin1Char(' '), 1, -1);
        out.append({unitId, unitName, QStringLiteral("0")});
        const QStringList lessonNames = lessons(t, u, unitNames.at(u));
        for (int l = 0; l < lessonNames.size(); ++l)
            out.append({unitId + two(l + 1), lessonNames.at(l), unitId});
    }
    return out;
}

QString Curriculum::nodeName(const QString &id)
{
    QString textbookId;
    if (id.size() == 7) {
        Textbook t;
        return textbook(id, &t) ? t.name : QString();
    }
    if ((id.size() == 9 || id.size() == 11 || id.size() == 13) && id.startsWith(QLatin1Char('5')))
        textbookId = id.left(7);
    else if ((id.size() == 10 || id.size() == 12) && id.startsWith(QLatin1Char('8')))
        textbookId = id.mid(1, 7);
    else
        return QString();
    // Lists name every node of a record; build each textbook's names once.
    static QMutex mutex;
    static QHash<QString, QHash<QString, QString>> names;
    QMutexLocker lock(&mutex);
    auto it = names.find(textbookId);
    if (it == names.end()) {
        QHash<QString, QString> book;
        for (const Node &n : catalogue(textbookId))
            book.insert(n.id, n.name);
        for (const Node &n : knowledge(textbookId))
            book.insert(n.id, n.name);
        it = names.insert(textbookId, book);
    }
    return it->value(id);
}
