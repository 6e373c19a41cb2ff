#pragma once
// The main window as the program makes it, with its features, for the benchmarks that drive it.

#include "app/MainFormFeatures.h"
#include "editor/CorvaletForm.h"
#include "editor/Documents.h"

#include <memory>

inline std::unique_ptr<THTMLEMainForm> MakeBenchMainWindow() {
    THTMLEMainForm::SetFeatureMaker(MakeMainFormFeatures);
    return std::make_unique<THTMLEMainForm>(nullptr);
}
