#include "stock/NameStock.h"

#include "TestFolder.h"
#include "apperror/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace kanatsumugi {
namespace {

using test::crLfLines;
using test::TestFolder;

class NameStockTest : public testing::Test {
protected:
    TestFolder folder;
    NameStock stock{folder.stockPath()};
};

TEST_F(NameStockTest, NothingGeneratedMeansNothingStocked) {
    stock.list().load();
    EXPECT_FALSE(stock.stockIfStockable(QStringLiteral("ア😀")));
    EXPECT_FALSE(QFile::exists(folder.stockPath()));
}

TEST_F(NameStockTest, EachGeneratedNameIsStockedOnce) {
    stock.list().load();
    stock.nameGenerated();
    EXPECT_TRUE(stock.stockIfStockable(QStringLiteral("カ")));
    EXPECT_FALSE(stock.stockable());
    EXPECT_FALSE(stock.stockIfStockable(QStringLiteral("カ")));
    EXPECT_EQ(TestFolder::readBytes(folder.stockPath()), QByteArray("\x83\x4a\r\n"));

    stock.nameGenerated();
    EXPECT_TRUE(stock.stockIfStockable(QStringLiteral("edited")));
    EXPECT_EQ(TestFolder::readBytes(folder.stockPath()), QByteArray("\x83\x4a\r\nedited\r\n"));
}

// The name box's text as it reaches the file: one line, in code page 932, the JIS forms an
// input method gives stored as code page 932's same bytes; a character code page 932
// cannot hold stocks nothing and leaves the name stockable.
TEST_F(NameStockTest, TextIsStockedAsOneShiftJisLine) {
    struct Case {
        QString text;
        QByteArray line;
        const char* error;
    };
    const Case cases[] = {
        {QStringLiteral("テスト～－ー"), "\x83\x65\x83\x58\x83\x67\x81\x60\x81\x7c\x81\x5b",
         nullptr},
        {QStringLiteral("ア〜イ−ウ‖エ—"),
         "\x83\x41\x81\x60\x83\x43\x81\x7c\x83\x45\x81\x61\x83\x47\x81\x5c", nullptr},
        {QStringLiteral("¢£¬"), "\x81\x91\x81\x92\x81\xca", nullptr},
        {QStringLiteral("アイ\nウ\r\nエ\u2028オ\u2029カ\u0085キ") + QChar(0) + QStringLiteral("ク"),
         "\x83\x41\x83\x43 \x83\x45  \x83\x47 \x83\x49 \x83\x4a \x83\x4c \x83\x4e", nullptr},
        {QString(), "", nullptr},
        {QStringLiteral("ア😀é"), {}, "「😀」は Shift_JIS で保存できないため、ストックできません"},
        {QStringLiteral("é"), {}, "「é」は Shift_JIS で保存できないため、ストックできません"},
    };
    QList<QByteArray> stocked;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        stock.nameGenerated();
        if (c.error == nullptr) {
            EXPECT_TRUE(stock.stockIfStockable(c.text));
            stocked.append(c.line);
        } else {
            try {
                stock.stockIfStockable(c.text);
                ADD_FAILURE() << "stocked a character Shift-JIS cannot hold";
            } catch (const AppError& error) {
                EXPECT_STREQ(error.what(), c.error);
            }
            EXPECT_TRUE(stock.stockable());
        }
        EXPECT_EQ(TestFolder::readBytes(folder.stockPath()), crLfLines(stocked));
    }
}

// A directory in the file's place: the create error, nothing left behind, and a retry once
// the cause is gone stocks the name exactly once.
TEST_F(NameStockTest, FailedStockStaysStockableAndTheRetryStocksOnce) {
    const QList<QByteArray> old{"P", "Q"};
    TestFolder::writeBytes(folder.stockPath(), crLfLines(old));
    stock.list().load();
    QFile::remove(folder.stockPath());
    QDir().mkdir(folder.stockPath());
    stock.nameGenerated();

    try {
        stock.stockIfStockable(QStringLiteral("N"));
        ADD_FAILURE() << "stocked with a directory in the file's place";
    } catch (const AppError& error) {
        EXPECT_EQ(QByteArray(error.what()),
                  "ファイル " + folder.stockPath().toUtf8() + " を作成できません");
    }
    EXPECT_TRUE(stock.stockable());
    EXPECT_EQ(stock.list().entries(), old);
    EXPECT_EQ(TestFolder::names(folder.path()),
              QStringList{QFileInfo(folder.stockPath()).fileName()});

    QDir().rmdir(folder.stockPath());
    EXPECT_TRUE(stock.stockIfStockable(QStringLiteral("N")));
    EXPECT_EQ(TestFolder::readBytes(folder.stockPath()), QByteArray("P\r\nQ\r\nN\r\n"));
    EXPECT_FALSE(stock.stockable());
}

} // namespace
} // namespace kanatsumugi
