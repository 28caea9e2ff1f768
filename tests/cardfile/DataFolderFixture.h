#pragma once

#include "core/DataFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Each test gets its own empty data folder.
class DataFolderFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        DataFolder::setOverride(m_dir.path());
    }
    void TearDown() override { DataFolder::setOverride(QString()); }

    QString cards(const QString &file = {}) const { return QDir(DataFolder::cardsFolder()).filePath(file); }
    QString templates(const QString &file = {}) const
    {
        return QDir(DataFolder::templatesFolder()).filePath(file);
    }

    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
};
