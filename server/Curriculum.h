#pragma once

#include <QString>
#include <QVector>

// The platform's teaching reference data: dictionaries (grades, subjects,
// textbook versions), textbook volumes, their catalogue trees and their
// knowledge points. Fixed data, so it is computed rather than stored; every
// id encodes where it belongs and decodes back to its name.
class Curriculum
{
public:
    struct DictEntry
    {
        QString id, value, label;
    };
    struct Node
    {
        QString id, name, parentId;
    };
    struct Textbook
    {
        QString id, name;
        int subject = 0, version = 0, grade = 0, term = 0;
    };

    static const char *GradeType;   // "sys_office_grade"
    static const char *SubjectType; // "sys_subject_type"
    static const char *VersionType; // "CODE_VERSIONTYPE"

    // Empty and known false for an unknown dictionary.
    static QVector<DictEntry> dictionary(const QString &type, bool *known = nullptr);
    // The label of a dictionary value, or the value itself when unknown.
    static QString label(const QString &type, const QString &value);

    // Volumes matching the values given; an empty value does not filter.
    static QVector<Textbook> textbooks(const QString &subject, const QString &version, const QString &grade);
    static bool textbook(const QString &id, Textbook *out = nullptr);
    // Ids of textbooks that exist (subject taught in that grade with that version).
    static QString textbookId(int subject, int version, int grade, int term);

    // First node is the textbook itself; then units, lessons and sections.
    static QVector<Node> catalogue(const QString &textbookId);
    // Units (parent "0") and their points.
    static QVector<Node> knowledge(const QString &textbookId);
    // Name of a catalogue node, knowledge node or textbook id; empty if unknown.
    static QString nodeName(const QString &id);

private:
    static QStringList units(const Textbook &t);
    static QStringList lessons(const Textbook &t, int unit, const QString &unitName);
};
