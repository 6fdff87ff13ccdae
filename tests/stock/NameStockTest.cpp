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
    EXPECT_FALSE(stock.stockIfStockable("A"));
    EXPECT_FALSE(QFile::exists(folder.stockPath()));
}

TEST_F(NameStockTest, EachGeneratedNameIsStockedOnce) {
    stock.list().load();
    stock.nameGenerated();
    EXPECT_TRUE(stock.stockIfStockable("\x83\x4a"));
    EXPECT_FALSE(stock.stockable());
    EXPECT_FALSE(stock.stockIfStockable("\x83\x4a"));
    EXPECT_EQ(TestFolder::readBytes(folder.stockPath()), QByteArray("\x83\x4a\r\n"));

    stock.nameGenerated();
    EXPECT_TRUE(stock.stockIfStockable("edited"));
    EXPECT_EQ(TestFolder::readBytes(folder.stockPath()), QByteArray("\x83\x4a\r\nedited\r\n"));
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
        stock.stockIfStockable("N");
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
    EXPECT_TRUE(stock.stockIfStockable("N"));
    EXPECT_EQ(TestFolder::readBytes(folder.stockPath()), QByteArray("P\r\nQ\r\nN\r\n"));
    EXPECT_FALSE(stock.stockable());
}

} // namespace
} // namespace kanatsumugi
