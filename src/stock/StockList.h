#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace kanatsumugi {

// The kept names (Shift-JIS byte strings, in order, duplicates allowed) and the
// file that mirrors them. Every failure raises AppError with the message shown
// to the user; a failed operation changes neither the list nor the file.
class StockList {
public:
    static constexpr char kFileName[] = "今まで名付けた名前.txt";

    // The stock file's path for a working directory: the directory, "/", the file name.
    // A directory that already ends in "/" (the root) keeps the doubled separator.
    static QString pathInDirectory(const QString& workingDirectory);

    explicit StockList(QString filePath);

    const QString& filePath() const { return filePath_; }
    const QList<QByteArray>& entries() const { return entries_; }

    // Replaces the entries with the file's; a missing file (or a directory) leaves the list empty.
    void load();

    // Under the folder's lock: re-reads the file, appends `entry`, replaces the file atomically.
    void stock(const QByteArray& entry);

private:
    QString filePath_;
    QList<QByteArray> entries_;
};

} // namespace kanatsumugi
