#pragma once

#include <QString>

// Paths of the platform API, appended to BaseAddress::api(). The spellings
// ("refenencebook", "saveViwe") are the server's own.
namespace ApiPaths {
inline const QString login = QStringLiteral("/v2.0/login/LoginController/login");
inline const QString fileClassList = QStringLiteral("/v2.0/client/FileClass/list");
inline const QString fileClassSave = QStringLiteral("/v2.0/client/FileClass/save");
inline const QString fileClassShare = QStringLiteral("/v2.0/client/FileClass/share");
inline const QString fileClassDelete = QStringLiteral("/v2.0/client/FileClass/delete");
inline const QString smallClassList = QStringLiteral("/v2.0/client/SmallClass/list");
inline const QString smallClassPurchaseList = QStringLiteral("/v2.0/client/SmallClass/purchaseList");
inline const QString smallClassSave = QStringLiteral("/v2.0/client/SmallClass/save");
inline const QString smallClassShare = QStringLiteral("/v2.0/client/SmallClass/share");
inline const QString smallClassDelete = QStringLiteral("/v2.0/client/SmallClass/delete");
inline const QString exportFrequency = QStringLiteral("/v2.0/client/LmResExport/getFrequency");
inline const QString exportSave = QStringLiteral("/v2.0/client/LmResExport/save");
inline const QString resCategories = QStringLiteral("/v2.0/client/LmResManagement/getList");
inline const QString resList = QStringLiteral("/v2.0/client/LmResManagement/findList");
inline const QString fileList = QStringLiteral("/v2.0/file/FileController/list");
inline const QString fileSave = QStringLiteral("/v2.0/file/FileController/save");
inline const QString fileDelete = QStringLiteral("/v2.0/file/FileController/deleteFileById");
inline const QString fileUpload = QStringLiteral("/v2.0/file/FileController/uploadFile");
inline const QString dictList = QStringLiteral("/v2.0/admin/dict/list");
inline const QString textbookList = QStringLiteral("/v2.0/admin/refenencebook/findRefenencebookList");
inline const QString catalogueTree = QStringLiteral("/v2.0/admin/refenencebookTree/saveViwe");
inline const QString knowledgeTree = QStringLiteral("/v2.0/admin/testTree/list");
inline const QString helpList = QStringLiteral("/v2.0/client/ClientBasHelp/getList");
}
