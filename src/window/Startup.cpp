#include "window/Startup.h"

#include "platform/Prompter.h"
#include "store/Dorvudb.h"
#include "store/StoreError.h"
#include "window/frmMain.h"

std::unique_ptr<Dorvudb> openStore(const QString& programFolder, Prompter& prompter)
{
    auto store = std::make_unique<Dorvudb>(programFolder);
    try {
        store->BuildDataBase();
    } catch (const StoreError& error) {
        prompter.error(error.reason(), frmMain::caption());
        return nullptr;
    }
    return store;
}
