#pragma once

#include "ApiCall.h"

#include <QString>

class ApiRouter;
class Database;
class JsonArgs;
class SlideRenderer;

// The teachers' courseware and micro-lectures: lists with filters and pages,
// the purchased list, save, share and delete.
class ResourceApi
{
public:
    ResourceApi(Database &db, SlideRenderer &slides, QString docRoot, QString videoRoot);

    void install(ApiRouter &router);

    static const char *Courseware; // kind of a record
    static const char *Micro;

private:
    ApiResult list(ApiCall &call, const char *kind, bool purchased);
    ApiResult save(ApiCall &call, const char *kind);
    ApiResult share(ApiCall &call, const char *kind);
    ApiResult remove(ApiCall &call, const char *kind);
    // The caller's own record of that kind, or a refusal in error.
    bool ownRecord(ApiCall &call, JsonArgs &args, const char *kind, qint64 *id, ApiResult *error);

    Database &m_db;
    SlideRenderer &m_slides;
    QString m_docRoot;
    QString m_videoRoot;
};
