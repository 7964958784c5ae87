// Entry of the widget tests: they need a QApplication. Listing the tests
// (what the build does to register them) needs no display, so the build
// does not depend on one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>

#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    bool listando = false;
    for (int i = 1; i < argc; ++i)
        listando = listando || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    std::unique_ptr<QCoreApplication> aplicacao;
    if (listando)
        aplicacao = std::make_unique<QCoreApplication>(argc, argv);
    else
        aplicacao = std::make_unique<QApplication>(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
