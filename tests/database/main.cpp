// Runs every test class of the database tests in one program. Test function
// names on the command line select the classes that have them.
#include "testsupport.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QTest>

#include <memory>

namespace {

bool hasFunction(const QObject *test, const QByteArray &name)
{
    const QMetaObject *meta = test->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        if (meta->method(i).name() == name)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestSupport::setUpOdbc();
    QList<QByteArray> functions;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (!arg.startsWith('-') && (i == 1 || !QByteArray(argv[i - 1]).startsWith("-o")))
            functions << arg.left(arg.indexOf(':') < 0 ? arg.size() : arg.indexOf(':'));
    }
    int failed = 0;
    for (TestSupport::Factory make : TestSupport::factories()) {
        std::unique_ptr<QObject> test(make());
        if (!functions.isEmpty()) {
            bool all = true, any = false;
            for (const QByteArray &f : functions) {
                const bool has = hasFunction(test.get(), f);
                all = all && has;
                any = any || has;
            }
            if (!any)
                continue;
            if (!all) {
                qWarning("Give test functions of one test class at a time.");
                return 1;
            }
        }
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed;
}
