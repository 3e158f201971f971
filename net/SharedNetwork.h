#pragma once

class QNetworkAccessManager;

// One network manager for the many small requests of the client (help
// pictures, slide pictures, downloads): in Qt 5 every manager starts a
// thread of its own, so a manager per picture ran out of threads and files.
class SharedNetwork
{
public:
    static QNetworkAccessManager *manager();
};
