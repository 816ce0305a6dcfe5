// The binding of Plotra: obtains its interface, publishes it process-wide in
// sharedPlotra, starts it and builds the blend table.
#pragma once

#include "core/ModuleBinding.h"
#include "quenta/Plotra.h"

namespace quenta::core {

class PlotraBinding : public ModuleBinding {
public:
    // Clears sharedPlotra; releases nothing.
    ~PlotraBinding();

    bool Bind();
    // Publishes this binding's interface again, when it started; so a renderer
    // keeps its pictures after another renderer cleared sharedPlotra.
    void Republish() const;

    bool started = false;  // Plotra's start-up answered true
};

}  // namespace quenta::core
