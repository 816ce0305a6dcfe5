#include "core/PlotraBinding.h"

#include "core/ProcessState.h"

namespace quenta::core {

PlotraBinding::~PlotraBinding() { sharedPlotra = nullptr; }

bool PlotraBinding::Bind() {
    started = false;
    if (!ModuleBinding::Bind("Plotra", kPlotraId)) return false;
    auto* plotra = static_cast<Plotra*>(iface);
    sharedPlotra = plotra;
    if (!plotra->Startup()) return false;
    started = true;
    plotra->Setup(1);
    return blendTable.Build();
}

void PlotraBinding::Republish() const {
    if (started && iface) sharedPlotra = static_cast<Plotra*>(iface);
}

}  // namespace quenta::core
