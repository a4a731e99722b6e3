#include "connectionbuilder.h"
#include "ui_connectionbuilder.h"

#include "comboroutines.h"

#include "platform/connectionstring.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <sql.h>
#include <sqlext.h>

namespace {

const QString kProvider = QStringLiteral("Provider");
const QString kDataSource = QStringLiteral("Data Source");

bool isAccessFile(const QString &path)
{
    return path.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".accdb"), Qt::CaseInsensitive);
}

} // namespace

ConnectionBuilder::ConnectionBuilder(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::ConnectionBuilder>())
{
    ui->setupUi(this);
    comboAddItem(ui->kind, tr("SQLite database file"), SqliteFile);
    comboAddItem(ui->kind, tr("Microsoft Access database file"), AccessFile);
    comboAddItem(ui->kind, tr("ODBC data source"), OdbcSource);
    comboAddItem(ui->kind, tr("PostgreSQL server"), PostgreSqlServer);
    comboAddItem(ui->kind, tr("MySQL server"), MySqlServer);
    ui->host->setPlaceholderText(QStringLiteral("localhost"));
    fillDataSources(QString());

    connect(ui->kind, &QComboBox::currentIndexChanged, this, &ConnectionBuilder::kindChanged);
    connect(ui->bBrowse, &QPushButton::clicked, this, &ConnectionBuilder::browse);
    connect(ui->dataSource, &QComboBox::currentIndexChanged, this, &ConnectionBuilder::update);
    for (QLineEdit *box : {ui->filePath, ui->host, ui->port, ui->database, ui->user, ui->password})
        connect(box, &QLineEdit::textChanged, this, &ConnectionBuilder::update);
    connect(ui->bOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->bCancel, &QPushButton::clicked, this, &QDialog::reject);
    kindChanged();
}

ConnectionBuilder::~ConnectionBuilder() = default;

QList<ConnectionBuilder::DataSource> ConnectionBuilder::odbcDataSources()
{
    QList<DataSource> sources;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return sources;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR name[SQL_MAX_DSN_LENGTH + 1];
    SQLCHAR description[512];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT descriptionLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDataSources(env, direction, name, sizeof name, &nameLength, description,
                                        sizeof description, &descriptionLength))) {
        sources.append({QString::fromLocal8Bit(reinterpret_cast<const char *>(name)),
                        QString::fromLocal8Bit(reinterpret_cast<const char *>(description))});
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return sources;
}

void ConnectionBuilder::fillDataSources(const QString &keep)
{
    const QSignalBlocker blocker(ui->dataSource);
    ui->dataSource->clear();
    const QList<DataSource> sources = odbcDataSources();
    for (const DataSource &source : sources) {
        const QString text = source.description.isEmpty()
                                 ? source.name
                                 : tr("%1 (%2)").arg(source.name, source.description);
        comboAddItem(ui->dataSource, text, source.name);
    }
    // A data source the report names but this machine lacks stays choosable.
    if (!keep.isEmpty() && ui->dataSource->findData(keep) < 0)
        comboAddItem(ui->dataSource, keep, keep);
    comboSelectByData(ui->dataSource, keep);
    ui->dataSourceNote->setText(sources.isEmpty()
                                    ? tr("No ODBC data source is set up on this computer (the ODBC "
                                         "administrator, odbcinst, adds them).")
                                    : QString());
    ui->form->setRowVisible(ui->dataSourceNote, sources.isEmpty() && kind() == OdbcSource);
}

ConnectionBuilder::Kind ConnectionBuilder::kind() const
{
    return Kind(comboSelectedData(ui->kind).toInt());
}

void ConnectionBuilder::setKind(Kind kind)
{
    comboSelectByData(ui->kind, int(kind));
}

void ConnectionBuilder::kindChanged()
{
    const Kind k = kind();
    const bool file = k == SqliteFile || k == AccessFile;
    const bool server = k == PostgreSqlServer || k == MySqlServer;
    ui->form->setRowVisible(ui->filePathLayout, file);
    ui->form->setRowVisible(ui->dataSource, k == OdbcSource);
    ui->form->setRowVisible(ui->dataSourceNote,
                            k == OdbcSource && !ui->dataSourceNote->text().isEmpty());
    for (QWidget *field : std::initializer_list<QWidget *>{
             ui->host, ui->port, ui->database, ui->user, ui->password, ui->passwordNote})
        ui->form->setRowVisible(field, server);
    if (server)
        ui->port->setPlaceholderText(k == PostgreSqlServer ? QStringLiteral("5432")
                                                           : QStringLiteral("3306"));
    update();
    if (isVisible())
        adjustSize();
}

void ConnectionBuilder::setBaseDir(const QString &dir)
{
    m_baseDir = dir;
    update();
}

void ConnectionBuilder::browse()
{
    const bool access = kind() == AccessFile;
    QString start = ui->filePath->text().trimmed();
    if (!start.isEmpty() && QDir::isRelativePath(start) && !m_baseDir.isEmpty())
        start = QDir(m_baseDir).filePath(start);
    if (start.isEmpty())
        start = m_baseDir;
    const QString filter =
        access ? tr("Access databases (*.mdb *.accdb);;All files (*)")
               : tr("SQLite databases (*.db *.sqlite *.sqlite3 *.db3);;All files (*)");
    const QString chosen = QFileDialog::getOpenFileName(this, tr("Database file"), start, filter);
    if (chosen.isEmpty())
        return;
    if (isAccessFile(chosen) != access)
        setKind(isAccessFile(chosen) ? AccessFile : SqliteFile);
    ui->filePath->setText(QDir::toNativeSeparators(chosen));
}

QString ConnectionBuilder::reportRelative(const QString &path) const
{
    if (m_baseDir.isEmpty() || QDir::isRelativePath(path))
        return path;
    const QString relative =
        QDir(QDir::cleanPath(m_baseDir)).relativeFilePath(QDir::cleanPath(path));
    if (relative == QLatin1String("..") || relative.startsWith(QLatin1String("../")) ||
        QDir::isAbsolutePath(relative))
        return path; // outside the report's folder: a relative path would break on a move
    return QDir::toNativeSeparators(relative);
}

QString ConnectionBuilder::connectionString() const
{
    ConnectionString cs;
    switch (kind()) {
    case SqliteFile:
    case AccessFile: {
        const QString path = ui->filePath->text().trimmed();
        if (path.isEmpty())
            return QString();
        if (kind() == SqliteFile)
            cs.setValue(kProvider, QStringLiteral("SQLite"));
        else if (path.endsWith(QLatin1String(".accdb"), Qt::CaseInsensitive))
            cs.setValue(kProvider, QStringLiteral("Microsoft.ACE.OLEDB.12.0"));
        else
            cs.setValue(kProvider, QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
        cs.setValue(kDataSource, reportRelative(path));
        break;
    }
    case OdbcSource: {
        const QString name = comboSelectedData(ui->dataSource).toString();
        if (name.isEmpty())
            return QString();
        cs.setValue(QStringLiteral("DSN"), name);
        break;
    }
    case PostgreSqlServer:
    case MySqlServer: {
        const QString database = ui->database->text().trimmed();
        if (database.isEmpty())
            return QString();
        cs.setValue(kProvider, kind() == PostgreSqlServer ? QStringLiteral("PostgreSQL")
                                                          : QStringLiteral("MySQL"));
        auto optional = [&cs](const QString &key, const QString &value) {
            if (!value.isEmpty())
                cs.setValue(key, value);
        };
        optional(QStringLiteral("Host"), ui->host->text().trimmed());
        optional(QStringLiteral("Port"), ui->port->text().trimmed());
        cs.setValue(QStringLiteral("Database"), database);
        optional(QStringLiteral("User ID"), ui->user->text().trimmed());
        // Spaces may belong to a password.
        optional(QStringLiteral("Password"), ui->password->text());
        break;
    }
    }
    return cs.toString();
}

void ConnectionBuilder::setConnectionString(const QString &text)
{
    const ConnectionString cs(text);
    if (!cs.isValid() || cs.isEmpty())
        return;
    switch (cs.driver()) {
    case ConnectionString::Driver::Sqlite:
    case ConnectionString::Driver::Access:
        setKind(cs.driver() == ConnectionString::Driver::Access ? AccessFile : SqliteFile);
        ui->filePath->setText(cs.dataSource());
        break;
    case ConnectionString::Driver::Odbc:
        setKind(OdbcSource);
        fillDataSources(cs.value(QStringLiteral("DSN")));
        break;
    case ConnectionString::Driver::PostgreSql:
    case ConnectionString::Driver::MySql:
        setKind(cs.driver() == ConnectionString::Driver::PostgreSql ? PostgreSqlServer
                                                                    : MySqlServer);
        ui->host->setText(cs.value(ConnectionString::hostKeys()));
        ui->port->setText(cs.value(ConnectionString::portKeys()));
        ui->database->setText(cs.value(ConnectionString::databaseKeys()));
        ui->user->setText(cs.value(ConnectionString::userKeys()));
        ui->password->setText(cs.value(ConnectionString::passwordKeys()));
        break;
    case ConnectionString::Driver::Unknown:
        break;
    }
    update();
}

void ConnectionBuilder::update()
{
    const QString text = connectionString();
    // The password stays hidden here as in its box; the text keeps it.
    ConnectionString shown(text);
    if (!ui->password->text().isEmpty() && (kind() == PostgreSqlServer || kind() == MySqlServer))
        shown.setValue(QStringLiteral("Password"), QStringLiteral("****"));
    ui->result->setText(shown.toString());
    ui->result->setCursorPosition(0);
    ui->bOK->setEnabled(!text.isEmpty());
}

QString ConnectionBuilder::edit(QWidget *parent, const QString &current, const QString &baseDir)
{
    ConnectionBuilder builder(parent);
    builder.setBaseDir(baseDir);
    builder.setConnectionString(current);
    if (builder.exec() != QDialog::Accepted)
        return QString();
    return builder.connectionString();
}
