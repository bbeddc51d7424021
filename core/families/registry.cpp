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

std::unique_ptr<FamilyPage> createFamilyPage(Env& env, int tab) {
    switch (tab) {
        case 0:
            return std::make_unique<kvr::CKvrMaint>(env);
        case 1:
            return std::make_unique<hln::CHlnmaintDlg>(env);
        case 2: {
            auto blt = std::make_unique<blt::CMaintenanceDlg>(env);
            blt->setGveAlignmentHandler([&env, page = blt.get()] {
                auto after = testtune::TransmitterAfterSheet::Untold;
                const bool ran = testtune::runGveAlignment(env, &after);
                page->sheetEnded(after);
                return ran;
            });
            return blt;
        }
        case 3:
            return std::make_unique<compact::CWlaPage>(env);
        case 4:
            return std::make_unique<compact::CWlbPage>(env);
        case 5:
            return std::make_unique<compact::CMarten60PPage>(env);
        case 6:
            return std::make_unique<kvr::CMarten30Page>(env);
        default:
            return nullptr;
    }
}

std::vector<std::unique_ptr<FamilyPage>> createFamilyPages(Env& env) {
    // Tab order: KVR, HLN, BLT, WLA, WLB, MARTEN 60P, MARTEN 30.
    std::vector<std::unique_ptr<FamilyPage>> pages;
    for (int tab = 0; tab < 7; ++tab) pages.push_back(createFamilyPage(env, tab));
    return pages;
}

}  // namespace tw
