#pragma once
// A fresh, empty word library in a temporary program folder, with the
// settings file the data module and the scrambling read.

#include "TestSupport.h"
#include "UCommonFun.h"
#include "UDataInterface.h"

#include <gtest/gtest.h>

class LibraryFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetEncrypt(false);
        ASSERT_TRUE(m_data.CreateDatabase(DbFile(), TDataInterface::DatabasePassword()));
    }

    QString DbFile() const { return m_home.File(QStringLiteral("data/guluspell.mdb")); }

    // A new connection sees only what was committed.
    void Reopen()
    {
        m_data.Close();
        ASSERT_TRUE(m_data.ConnectDatabase(DbFile(), TDataInterface::DatabasePassword()));
    }

    void SetEncrypt(bool on)
    {
        m_home.WriteFile(QStringLiteral("data/spellconfig.ini"),
                         QStringLiteral("[system]\r\ndata=guluspell\r\nencrypt=%1\r\n").arg(on ? 1 : 0).toLatin1());
    }

    // A catalogue row and its (empty) word table "lib<id>".
    void AddBook(int id, const QString &title, int wordNumber, int bookClass, int isDefault = 1)
    {
        const QString table = QStringLiteral("lib%1").arg(id);
        ASSERT_TRUE(m_data.CreateWordTable(table));
        ASSERT_TRUE(m_data.AddBookInfo(title, wordNumber, table, bookClass, id, isDefault));
    }

    QStringList Spellings(const QString &table)
    {
        QStringList list;
        for (const TWordInfo &word : m_data.LoadWordRows(table, 0, 1000000))
            list << word.Spelling;
        return list;
    }

    TTempProgramDir m_home;
    TScopedDialogs m_dialogs;
    TDataInterface m_data;
};
