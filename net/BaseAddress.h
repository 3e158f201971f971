#pragma once

#include <QString>

// The four base addresses of the platform. Built-in defaults come from the
// build; LUMEXA_API_BASE, LUMEXA_WEB_BASE, LUMEXA_DOC_BASE and
// LUMEXA_VIDEO_BASE override them at run time. None ends in a slash.
class BaseAddress
{
public:
    static QString api();
    static QString web();
    static QString doc();
    static QString video();
};
