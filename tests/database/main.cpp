// Runs every test class of the database tests in one program.
#include "testsupport.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestSupport::setUpOdbc();
    int failed = 0;
    for (TestSupport::Factory make : TestSupport::factories()) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed;
}
