// MTS_APP and MTS_COM lines undone through the catalog: against a double of the
// catalog where this machine has none, and the clear error when it is absent.
#include "CatalogDouble.h"

#include "ComApartment.h"
#include "Exception.h"
#include "TStringList.h"
#include "TempFolder.h"
#include "uOstrelUninstall.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Replay(const std::vector<std::string>& lines)
{
    TStringList log;
    for (const std::string& line : lines)
        log.Add(line);
    std::vector<std::string> reports;
    TOstrelUninstall uninstall(nullptr);
    uninstall.OnDeleteTarget =
        TOnDeleteTarget::FromFunction([&reports](const std::string& target, int) { reports.push_back(target); });
    uninstall.ReplayLog(log);
    return reports;
}

std::vector<std::string> Names(const TCatalogState& state)
{
    std::vector<std::string> names;
    for (const TCatalogApplication& application : state.Applications)
        names.push_back(application.Name);
    return names;
}

} // namespace

TEST(CatalogUndo, ApplicationsOfTheNameAreRemovedAndSavedOnce)
{
    TComApartment com;
    if (CatalogRegistered())
        GTEST_SKIP() << "this machine has a component-services catalog of its own";
    TCatalogDouble catalog;
    catalog.State().Applications = {
        {"Ferrin Orders", "{A1}", {}}, {"Other", "{B2}", {}}, {"Ferrin Orders", "{C3}", {}}};

    std::vector<std::string> reports = Replay({"PRODUCT", "MTS_APP=Ferrin Orders"});

    EXPECT_EQ(Names(catalog.State()), std::vector<std::string>{"Other"});
    EXPECT_EQ(catalog.State().SaveCount, 1);
    EXPECT_EQ(reports, std::vector<std::string>{"正在删除COM+应用程序 Ferrin Orders"});
}

TEST(CatalogUndo, TheFirstMatchingComponentGoesFromEveryApplicationOfTheName)
{
    TComApartment com;
    if (CatalogRegistered())
        GTEST_SKIP() << "this machine has a component-services catalog of its own";
    TCatalogDouble catalog;
    catalog.State().Applications = {
        {"Ferrin Orders", "{A1}", {"Ferrin.Order.1", "Ferrin.Stock.1", "Ferrin.Order.1"}},
        {"Other", "{B2}", {"Ferrin.Order.1"}},
        {"Ferrin Orders", "{C3}", {"Ferrin.Stock.1"}},
    };

    std::vector<std::string> reports =
        Replay({"PRODUCT", "MTS_COM=AppName:Ferrin Orders;ProgID:Ferrin.Order.1"});

    const auto& applications = catalog.State().Applications;
    ASSERT_EQ(applications.size(), 3u);
    // Walked from the last component: the later duplicate is the one removed.
    EXPECT_EQ(applications[0].Components, (std::vector<std::string>{"Ferrin.Order.1", "Ferrin.Stock.1"}));
    EXPECT_EQ(applications[1].Components, std::vector<std::string>{"Ferrin.Order.1"});
    EXPECT_EQ(applications[2].Components, std::vector<std::string>{"Ferrin.Stock.1"});
    EXPECT_EQ(catalog.State().SaveCount, 1);
    EXPECT_EQ(reports, std::vector<std::string>{"正在删除COM+组件 Ferrin Orders\\Ferrin.Order.1"});
}

TEST(CatalogUndo, WithoutACatalogTheReplayEndsWithAClearError)
{
    TComApartment com;
    if (CatalogRegistered())
        GTEST_SKIP() << "this machine has a component-services catalog of its own";
    for (const char* line : {"MTS_APP=Ferrin Orders", "MTS_COM=AppName:Ferrin Orders;ProgID:Ferrin.Order.1"}) {
        TempFolder temp;
        WriteWholeFile(temp / "earlier.txt", "x");
        try {
            Replay({"PRODUCT", "FILE=" + (temp / "earlier.txt"), line});
            ADD_FAILURE() << line << " did not fail";
        } catch (const Exception& error) {
            EXPECT_NE(error.Message().find("MTSAdmin.Catalog.1"), std::string::npos) << error.Message();
        }
        EXPECT_TRUE(FileExists(temp / "earlier.txt")) << line;
    }
}
