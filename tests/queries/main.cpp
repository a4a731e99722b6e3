#include "querysupport.h"

#include <QGuiApplication>
#include <QTest>

#include <memory>

int runReferencesTests(int argc, char **argv);

// Several test classes share this executable, one per subject.
int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    int failed = 0;
    failed += runReferencesTests(argc, argv);
    for (QuerySupport::Factory make : QuerySupport::factories()) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed;
}
