#include "CurrentUser.h"

QString CurrentUser::username;
QString CurrentUser::password;
QString CurrentUser::token;
QString CurrentUser::id = QStringLiteral("000");
QString CurrentUser::phone = QStringLiteral("000");
QString CurrentUser::name = QStringLiteral("null");
QString CurrentUser::xuedou = QStringLiteral("000.0");
QString CurrentUser::companyId = QStringLiteral("0");
