#include "Seeder.h"

#include "AuthApi.h"
#include "Database.h"
#include "DemoArt.h"
#include "DemoCatalog.h"
#include "SlidePainter.h"
#include "VideoMaker.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <unistd.h>

const char *Seeder::Version = "seed-4";

namespace {
const char *Schema = R"SQL(
CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT);
CREATE TABLE IF NOT EXISTS users(
  id INTEGER PRIMARY KEY, username TEXT NOT NULL UNIQUE, password_hash TEXT NOT NULL, salt TEXT NOT NULL,
  name TEXT NOT NULL, phone TEXT, xuedou TEXT, company_id TEXT, school TEXT, user_type TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS tokens(
  token TEXT PRIMARY KEY, user_id INTEGER NOT NULL REFERENCES users(id), created_at TEXT);
CREATE TABLE IF NOT EXISTS resources(
  id INTEGER PRIMARY KEY, kind TEXT NOT NULL CHECK(kind IN ('courseware', 'micro')),
  owner_id INTEGER NOT NULL REFERENCES users(id), name TEXT NOT NULL, file_src TEXT NOT NULL,
  grade TEXT, subject TEXT, version TEXT, small_db_type TEXT, res_register TEXT, tree_id TEXT, codechapter TEXT,
  xuedou TEXT, is_fee TEXT NOT NULL DEFAULT '0', is_share TEXT NOT NULL DEFAULT '0', del_flag INTEGER NOT NULL DEFAULT 0,
  intro TEXT, duration TEXT, school_id TEXT, applystatus TEXT, created_at TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS resources_owner ON resources(owner_id, kind, created_at);
CREATE TABLE IF NOT EXISTS purchases(
  user_id INTEGER NOT NULL REFERENCES users(id), resource_id INTEGER NOT NULL REFERENCES resources(id) ON DELETE CASCADE,
  purchased_at TEXT, PRIMARY KEY(user_id, resource_id));
CREATE TABLE IF NOT EXISTS stored_files(
  storage TEXT NOT NULL, path TEXT NOT NULL, owner_id INTEGER, original_name TEXT, content_type TEXT, size INTEGER,
  created_at TEXT, PRIMARY KEY(storage, path));
CREATE TABLE IF NOT EXISTS deck_slides(path TEXT PRIMARY KEY, slides TEXT NOT NULL, state TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS own_pictures(
  id INTEGER PRIMARY KEY, owner_id INTEGER NOT NULL REFERENCES users(id), file_name TEXT NOT NULL,
  file_lib_type INTEGER NOT NULL, file_realname TEXT, file_size INTEGER, file_suffix TEXT, created_at TEXT);
CREATE TABLE IF NOT EXISTS lib_categories(id INTEGER PRIMARY KEY, res_sort INTEGER NOT NULL, res_describe TEXT NOT NULL, sort INTEGER);
CREATE TABLE IF NOT EXISTS lib_resources(
  id INTEGER PRIMARY KEY, category_id INTEGER NOT NULL REFERENCES lib_categories(id), res_sort INTEGER NOT NULL,
  title TEXT NOT NULL, res_describe TEXT, res_file TEXT NOT NULL, ppt_files TEXT NOT NULL DEFAULT '[]', sort INTEGER);
CREATE TABLE IF NOT EXISTS exports(
  id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL REFERENCES users(id), day TEXT NOT NULL, frequency INTEGER NOT NULL,
  res_name TEXT, res_url TEXT, type TEXT, created_at TEXT);
CREATE INDEX IF NOT EXISTS exports_day ON exports(user_id, day);
CREATE TABLE IF NOT EXISTS help_articles(
  id INTEGER PRIMARY KEY, res_type TEXT NOT NULL, title TEXT NOT NULL, content TEXT, files TEXT, sort INTEGER);
)SQL";

bool saveImage(const QImage &img, const QString &path, const char *format, int quality = -1)
{
    QDir().mkpath(QFileInfo(path).path());
    return img.save(path, format, quality);
}

bool linkOrCopy(const QString &from, const QString &to)
{
    QDir().mkpath(QFileInfo(to).path());
    QFile::remove(to);
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return QFile::copy(from, to);
}
}

Seeder::Seeder(Database &db, QString docRoot, QString videoRoot, QString cacheDir)
    : m_db(db)
    , m_docRoot(std::move(docRoot))
    , m_videoRoot(std::move(videoRoot))
    , m_cacheDir(std::move(cacheDir))
{
}

bool Seeder::createSchema(Database &db, QString *error)
{
    if (!db.script(Schema)) {
        if (error)
            *error = db.lastError();
        return false;
    }
    return true;
}

bool Seeder::isSeeded()
{
    return !m_db.value("SELECT value FROM meta WHERE key = 'seed'").toString().isEmpty();
}

bool Seeder::seed(QString *error)
{
    if (!copyFromCache()) {
        const QStringList made = makeMedia();
        storeInCache(made);
    }
    return insertRows(error);
}

bool Seeder::copyFromCache()
{
    if (m_cacheDir.isEmpty())
        return false;
    const QString dir = m_cacheDir + QLatin1Char('/') + QLatin1String(Version);
    if (!QFileInfo::exists(dir + QStringLiteral("/complete")))
        return false;
    for (const QString &area : {QStringLiteral("doc"), QStringLiteral("video")}) {
        const QString from = dir + QLatin1Char('/') + area;
        const QString to = area == QLatin1String("doc") ? m_docRoot : m_videoRoot;
        QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (!linkOrCopy(file, to + file.mid(from.size())))
                return false;
        }
    }
    return true;
}

void Seeder::storeInCache(const QStringList &files)
{
    if (m_cacheDir.isEmpty() || !QDir().mkpath(m_cacheDir))
        return;
    const QString final = m_cacheDir + QLatin1Char('/') + QLatin1String(Version);
    if (QFileInfo::exists(final + QStringLiteral("/complete")))
        return;
    // Another server may fill the cache at the same time: build aside, then
    // rename into place; whoever renames first wins.
    const QString stage = QStringLiteral("%1.tmp-%2-%3").arg(final).arg(QCoreApplication::applicationPid())
                              .arg(QRandomGenerator::global()->generate());
    for (const QString &f : files) {
        const bool doc = f.startsWith(QLatin1String("doc/"));
        const QString source = (doc ? m_docRoot : m_videoRoot) + f.mid(doc ? 3 : 5);
        if (!linkOrCopy(source, stage + QLatin1Char('/') + f)) {
            QDir(stage).removeRecursively();
            return;
        }
    }
    QFile marker(stage + QStringLiteral("/complete"));
    marker.open(QIODevice::WriteOnly);
    marker.close();
    QDir(final).removeRecursively(); // an incomplete one left by a killed run
    if (!QDir().rename(stage, final))
        QDir(stage).removeRecursively();
}

QStringList Seeder::makeMedia()
{
    QStringList made;
    QElapsedTimer clock;
    clock.start();
    auto doc = [&](const QString &relative) {
        made.append(QStringLiteral("doc") + relative);
        return m_docRoot + relative;
    };

    for (const DemoCatalog::LibraryItem &item : DemoCatalog::libraryItems()) {
        if (item.category >= 1101 && item.category < 1200)
            saveImage(DemoArt::photo(item.art, item.title), doc(item.file), "JPG", 85);
        else if (item.category >= 1201 && item.category < 1300)
            saveImage(DemoArt::vector(item.art), doc(item.file), "PNG");
        else if (item.category >= 1301 && item.category < 1400)
            saveImage(DemoArt::shape(item.art), doc(item.file), "PNG");
    }
    for (const DemoCatalog::OwnPicture &own : DemoCatalog::ownPictures())
        saveImage(DemoArt::photo(own.art, own.realName.section(QLatin1Char('.'), 0, 0)), doc(own.file), "JPG", 85);

    qInfo("seed: pictures %lld ms", clock.restart());
    int deckIndex = 0;
    for (DemoCatalog::Deck deck : DemoCatalog::decks()) {
        for (DeckSlide &s : deck.slides) {
            if (s.kind == DeckSlide::Content && s.title == QStringLiteral("新知探究")) {
                QFile photo(m_docRoot + DemoCatalog::photoFile((deckIndex / 6) % 4, deckIndex % 6));
                if (photo.open(QIODevice::ReadOnly))
                    s.picture = photo.readAll();
            }
        }
        DeckWriter writer;
        writer.setTitle(deck.title);
        for (const DeckSlide &s : deck.slides)
            writer.addSlide(s);
        QDir().mkpath(QFileInfo(m_docRoot + deck.file).path());
        writer.write(doc(deck.file));
        for (int k = 0; k < deck.slides.size() && k < deck.slidePictures.size(); ++k)
            saveImage(SlidePainter::paint(deck.slides.at(k)), doc(deck.slidePictures.at(k)), "JPG", 85);
        ++deckIndex;
    }

    qInfo("seed: decks %lld ms", clock.restart());
    int seed = 0;
    for (const auto &pic : DemoCatalog::helpPictures())
        saveImage(DemoArt::helpPicture(pic.second, seed++), doc(pic.first), "PNG");

    if (VideoMaker::available()) {
        QTemporaryDir cards;
        QVector<VideoMaker::Job> jobs;
        int n = 0;
        for (const DemoCatalog::Video &v : DemoCatalog::videos()) {
            const QString card = cards.filePath(QStringLiteral("card-%1.png").arg(n++));
            DemoArt::titleCard(v.title, v.subtitle).save(card, "PNG");
            QDir().mkpath(QFileInfo(m_videoRoot + v.file).path());
            jobs.append({m_videoRoot + v.file, v.source, card, 4});
            made.append(QStringLiteral("video") + v.file);
        }
        // The help article on pictures and formulas comes with a short video.
        const QString helpVideo = QStringLiteral("/help/help-1-video.mp4");
        const QString helpCard = cards.filePath(QStringLiteral("card-help.png"));
        DemoArt::titleCard(QStringLiteral("公式与图片的插入"), QStringLiteral("帮助视频")).save(helpCard, "PNG");
        jobs.append({m_docRoot + helpVideo, DemoCatalog::videos().first().source, helpCard, 4});
        made.append(QStringLiteral("doc") + helpVideo);
        qInfo("seed: help pictures %lld ms", clock.restart());
        const int failed = VideoMaker::run(jobs);
        qInfo("seed: videos %lld ms", clock.restart());
        if (failed > 0) {
            qWarning() << failed << "demo videos could not be made";
            return QStringList(); // do not cache an incomplete set
        }
    } else {
        qWarning() << "ffmpeg not found: the demo videos are missing";
        return QStringList();
    }
    return made;
}

bool Seeder::insertRows(QString *error)
{
    Database::Transaction tx(m_db);
    bool ok = true;
    const QDateTime base(QDate(2024, 9, 2), QTime(8, 0));
    for (const DemoCatalog::Account &a : DemoCatalog::accounts()) {
        const QString salt = QString::number(QRandomGenerator::system()->generate64(), 16);
        ok = ok && m_db.exec("INSERT INTO users(id, username, password_hash, salt, name, phone, xuedou, company_id, school, user_type) "
                             "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                             {a.id, a.username, AuthApi::hashPassword(a.password, salt), salt, a.name, a.phone, a.xuedou,
                              a.companyId, a.school, a.userType});
    }
    int sort = 0;
    for (const DemoCatalog::Category &c : DemoCatalog::categories())
        ok = ok && m_db.exec("INSERT INTO lib_categories(id, res_sort, res_describe, sort) VALUES(?, ?, ?, ?)",
                             {c.id, c.sort, c.name, ++sort});
    for (const DemoCatalog::LibraryItem &i : DemoCatalog::libraryItems()) {
        int sortOf = 0;
        for (const DemoCatalog::Category &c : DemoCatalog::categories()) {
            if (c.id == i.category)
                sortOf = c.sort;
        }
        ok = ok && m_db.exec("INSERT INTO lib_resources(id, category_id, res_sort, title, res_describe, res_file, ppt_files, sort) "
                             "VALUES(?, ?, ?, ?, ?, ?, ?, ?)",
                             {i.id, i.category, sortOf, i.title, i.title, i.file,
                              QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(i.slidePictures)).toJson(QJsonDocument::Compact)),
                              int(i.id)});
    }
    for (const DemoCatalog::Deck &d : DemoCatalog::decks())
        ok = ok && m_db.exec("INSERT INTO deck_slides(path, slides, state) VALUES(?, ?, 'rendered')",
                             {d.file, QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(d.slidePictures)).toJson(QJsonDocument::Compact))});
    const auto &resources = DemoCatalog::resources();
    QVector<qint64> ids;
    for (int i = 0; i < resources.size(); ++i) {
        const DemoCatalog::Resource &r = resources.at(i);
        const qint64 id = 1001 + i;
        ids.append(id);
        ok = ok && m_db.exec("INSERT INTO resources(id, kind, owner_id, name, file_src, grade, subject, version, small_db_type, "
                             "res_register, tree_id, codechapter, xuedou, is_fee, is_share, del_flag, intro, duration, school_id, "
                             "applystatus, created_at) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '1', ?)",
                             {id, r.kind, r.owner, r.name, r.file, r.grade, r.subject, r.version, r.smallDbType, r.textbook,
                              r.treeId, r.chapter, r.xuedou, r.isFee, r.isFee, r.delFlag, r.intro, r.duration,
                              r.owner == 10001 ? QStringLiteral("3101") : QStringLiteral("3102"),
                              base.addSecs(qint64(i) * 3600).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))});
    }
    int n = 0;
    for (const auto &p : DemoCatalog::purchases())
        ok = ok && m_db.exec("INSERT INTO purchases(user_id, resource_id, purchased_at) VALUES(?, ?, ?)",
                             {p.first, ids.value(p.second), base.addDays(10).addSecs(++n * 60).toString(Qt::ISODate)});
    for (const DemoCatalog::OwnPicture &o : DemoCatalog::ownPictures())
        ok = ok && m_db.exec("INSERT INTO own_pictures(owner_id, file_name, file_lib_type, file_realname, file_size, file_suffix, created_at) "
                             "VALUES(?, ?, 2, ?, ?, 'jpg', ?)",
                             {o.owner, o.file, o.realName, QFileInfo(m_docRoot + o.file).size(), base.toString(Qt::ISODate)});
    sort = 0;
    for (const DemoCatalog::Help &h : DemoCatalog::helpArticles())
        ok = ok && m_db.exec("INSERT INTO help_articles(res_type, title, content, files, sort) VALUES(?, ?, ?, ?, ?)",
                             {h.resType, h.title, h.content, h.files, ++sort});
    ok = ok && m_db.exec("INSERT OR REPLACE INTO meta(key, value) VALUES('seed', ?)", {QString::fromLatin1(Version)});
    if (!ok || !tx.commit()) {
        if (error)
            *error = m_db.lastError();
        return false;
    }
    return true;
}
