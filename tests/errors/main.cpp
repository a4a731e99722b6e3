#include <QCoreApplication>

int runErrorListsTests(int argc, char **argv);
int runDocumentListsTests(int argc, char **argv);

// Two test classes share this executable: entry texts, and the lists of a document.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int failed = 0;
    failed += runErrorListsTests(argc, argv);
    failed += runDocumentListsTests(argc, argv);
    return failed;
}
