#include <QCoreApplication>

int runScriptTests(int argc, char **argv);
int runFunctionTests(int argc, char **argv);
int runRobustnessTests(int argc, char **argv);

// Several test classes in one executable; each reports on its own.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runScriptTests(argc, argv);
    failures += runFunctionTests(argc, argv);
    failures += runRobustnessTests(argc, argv);
    return failures;
}
