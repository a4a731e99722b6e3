#include <QGuiApplication>

int runReferencesTests(int argc, char **argv);

// Several test classes share this executable, one per subject.
int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    int failed = 0;
    failed += runReferencesTests(argc, argv);
    return failed;
}
