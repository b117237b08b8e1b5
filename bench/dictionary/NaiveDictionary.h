#pragma once

#include <QString>
#include <QStringList>
#include <string>

// The straightforward dictionary the launcher's first version had, kept as
// the baseline of the benchmarks: lines read in 100-byte chunks with a seek
// back after each CR, two plain lists, and a linear first-match scan.
struct NaiveDictionary
{
    bool loaded = false;
    QStringList sources;
    QStringList targets;

    static NaiveDictionary load(const std::string& path);
    QString translate(const QString& text) const;
};
