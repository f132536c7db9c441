#include "platform/ui/field_chain.h"

#include <utility>

#include <QLineEdit>

namespace tv::ui::chain {

namespace {

// One GUI thread runs every handler, so the chain's state is plain data.
int g_depth = 0;
std::exception_ptr g_pending;

} // namespace

Scope::Scope() {
    ++g_depth;
}

Scope::~Scope() {
    // Whatever the outermost run left unraised belongs to no later chain.
    if (--g_depth == 0) g_pending = nullptr;
}

std::exception_ptr takePending() {
    return std::exchange(g_pending, nullptr);
}

void rethrowPending() {
    if (std::exception_ptr error = takePending()) std::rethrow_exception(error);
}

void runHandler(const std::function<void()>& handler) {
    if (g_depth == 0) {
        Scope scope;
        handler();
        rethrowPending();
        return;
    }
    Scope scope;
    try {
        handler();
    } catch (...) {
        // The first error of a chain is the one that stopped it.
        if (!g_pending) g_pending = std::current_exception();
    }
}

void put(QLineEdit* field, const QString& text) {
    field->setText(text);
    rethrowPending();
}

} // namespace tv::ui::chain
