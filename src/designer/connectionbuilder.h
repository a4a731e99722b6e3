#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

namespace Ui {
class ConnectionBuilder;
}

// Writes a connection string for the user: a database file (SQLite or
// Access), an ODBC data source, or a PostgreSQL or MySQL server. The text is
// in the form the report's connection reads.
class ConnectionBuilder : public QDialog
{
    Q_OBJECT

public:
    enum Kind
    {
        SqliteFile,
        AccessFile,
        OdbcSource,
        PostgreSqlServer,
        MySqlServer
    };

    struct DataSource
    {
        QString name;
        QString description; // the driver, as the ODBC manager names it
    };

    explicit ConnectionBuilder(QWidget *parent = nullptr);
    ~ConnectionBuilder() override;

    // The saved report's folder (empty for an unsaved report): a database
    // file in it or below it is written relative to it, so that the report
    // and its database can move together.
    void setBaseDir(const QString &dir);
    // Fills the fields from what the text says; a text that names no known
    // kind of database leaves them as they are.
    void setConnectionString(const QString &text);
    // The text the fields describe; empty while they name no database.
    QString connectionString() const;

    Kind kind() const;
    void setKind(Kind kind);

    // The data sources the ODBC driver manager knows (user and system ones).
    static QList<DataSource> odbcDataSources();

    // Opens the builder on `current`; the new text, or a null string when
    // the user cancels.
    static QString edit(QWidget *parent, const QString &current, const QString &baseDir);

private:
    void browse();
    void fillDataSources(const QString &keep);
    void kindChanged();
    void update();
    QString reportRelative(const QString &path) const;

    std::unique_ptr<Ui::ConnectionBuilder> ui;
    QString m_baseDir;
};
