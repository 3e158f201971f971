#pragma once

#include "ApiCall.h"

class ApiRouter;
class Database;

// The resource libraries (public images, vector pictures, shapes, videos,
// templates) and each teacher's own pictures.
class LibraryApi
{
public:
    LibraryApi(Database &db, QString docRoot);

    void install(ApiRouter &router);

    // Library kinds ("resSort").
    enum Sort { Images = 1, Vectors = 2, Shapes = 3, Videos = 4, Templates = 6 };
    static bool isSort(qint64 sort);

private:
    ApiResult categories(ApiCall &call);
    ApiResult resources(ApiCall &call);
    ApiResult ownList(ApiCall &call);
    ApiResult ownSave(ApiCall &call);
    ApiResult ownDelete(ApiCall &call);

    Database &m_db;
    QString m_docRoot;
};
