#pragma once

#include <QString>

// A catalogue or knowledge-point node as the server lists it.
struct TreeNode
{
    QString id;
    QString name;
    QString parentId;
};
