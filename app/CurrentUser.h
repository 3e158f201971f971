#pragma once

#include <QString>

// The logged-in teacher. Plain process-wide values, read everywhere.
struct CurrentUser
{
    static QString username;
    static QString password;
    static QString token;
    static QString id;
    static QString phone;
    static QString name;
    static QString xuedou;
    static QString companyId;
};
