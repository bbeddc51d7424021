#include "families/registry.h"

#include "families/blt/blt_page.h"
#include "families/compact/marten60p_page.h"
#include "families/compact/wla_page.h"
#include "families/compact/wlb_page.h"
#include "families/hln/hln_page.h"
#include "families/kvr/kvr_maint.h"
#include "families/kvr/marten30_page.h"
#include "testtune/launcher.h"

namespace tw {

std::vector<std::unique_ptr<FamilyPage>> createFamilyPages(Env& env) {
    std::vector<std::unique_ptr<FamilyPage>> pages;
    pages.push_back(std::make_unique<kvr::CKvrMaint>(env));  // 0 KVR
    pages.push_back(std::make_unique<CHlnmaintDlg>(env));    // 1 HLN
    auto blt = std::make_unique<blt::CMaintenanceDlg>(env);
    blt->setGveAlignmentHandler([&env, page = blt.get()] {
        auto after = testtune::TransmitterAfterSheet::Untold;
        const bool ran = testtune::RunGveAlignment(env, &after);
        page->SheetEnded(after);
        return ran;
    });
    pages.push_back(std::move(blt));                                  // 2 BLT
    pages.push_back(std::make_unique<compact::CWlaPage>(env));        // 3 WLA
    pages.push_back(std::make_unique<compact::CWlbPage>(env));        // 4 WLB
    pages.push_back(std::make_unique<compact::CMarten60PPage>(env));  // 5 MARTEN 60P
    pages.push_back(std::make_unique<kvr::CMarten30Page>(env));       // 6 MARTEN 30
    return pages;
}

}  // namespace tw
