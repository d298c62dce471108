#include "framework/Subclass.h"

#include "platform/DebugTrace.h"

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace vk::ui {

// The subclasses of every window that carries any, newest first, and the window's own procedure.
class SubclassChains {
public:
    struct Chain {
        WNDPROC own = nullptr;
        Subclass* top = nullptr; // null: ours stays in the window's chain and passes everything on
    };

    static SubclassChains& Instance() {
        static SubclassChains chains;
        return chains;
    }

    bool Install(Subclass& subclass, HWND window) {
        std::unique_lock lock(lock_);
        auto found = chains_.find(window);
        if (found == chains_.end()) {
            const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
            if (!own) {
                return false;
            }
            found = chains_.emplace(window, Chain{own, nullptr}).first;
            if (!SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProcedure))) {
                chains_.erase(found);
                return false;
            }
        }
        subclass.window_ = window;
        subclass.below_ = found->second.top;
        subclass.own_ = found->second.own;
        subclass.installed_ = true;
        found->second.top = &subclass;
        return true;
    }

    void Remove(Subclass& subclass) {
        std::unique_lock lock(lock_);
        subclass.installed_ = false;
        const auto found = chains_.find(subclass.window_);
        if (found == chains_.end()) {
            return;
        }
        Chain& chain = found->second;
        if (chain.top == &subclass) {
            chain.top = subclass.below_;
        } else {
            for (Subclass* above = chain.top; above; above = above->below_) {
                if (above->below_ == &subclass) {
                    above->below_ = subclass.below_;
                    break;
                }
            }
        }
        // The window gets its own procedure back, unless something has been put on top of ours.
        if (!chain.top &&
            GetWindowLongPtrW(subclass.window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChainProcedure)) {
            SetWindowLongPtrW(subclass.window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.own));
            chains_.erase(found);
        }
    }

    [[nodiscard]] bool Find(HWND window, Chain& chain) {
        std::unique_lock lock(lock_);
        const auto found = chains_.find(window);
        if (found == chains_.end()) {
            return false;
        }
        chain = found->second;
        return true;
    }

    // The window is gone: its subclasses still on it, which are now off.
    std::vector<Subclass*> End(HWND window) {
        std::unique_lock lock(lock_);
        std::vector<Subclass*> ended;
        const auto found = chains_.find(window);
        if (found == chains_.end()) {
            return ended;
        }
        for (Subclass* subclass = found->second.top; subclass; subclass = subclass->below_) {
            subclass->installed_ = false;
            ended.push_back(subclass);
        }
        chains_.erase(found);
        return ended;
    }

private:
    std::mutex lock_;
    std::unordered_map<HWND, Chain> chains_;
};

Subclass::~Subclass() {
    Remove();
}

bool Subclass::Install(HWND window) {
    if (!window || installed_) {
        return false;
    }
    return SubclassChains::Instance().Install(*this, window);
}

void Subclass::Remove() {
    if (installed_) {
        SubclassChains::Instance().Remove(*this);
    }
}

LRESULT Subclass::OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return PassOn(message, wParam, lParam);
}

LRESULT Subclass::PassOn(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (below_) {
        return below_->OnSubclassMessage(message, wParam, lParam);
    }
    return CallWindowProcW(own_, window_, message, wParam, lParam);
}

LRESULT CALLBACK ChainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SubclassChains::Chain chain;
    if (!SubclassChains::Instance().Find(window, chain)) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = chain.top ? chain.top->OnSubclassMessage(message, wParam, lParam)
                           : CallWindowProcW(chain.own, window, message, wParam, lParam);
    } catch (...) {
        DebugTrace(L"a subclass failed on message " + std::to_wstring(message) + L"; answered with 0");
    }
    if (message == WM_NCDESTROY) {
        for (Subclass* subclass : SubclassChains::Instance().End(window)) {
            subclass->OnSubclassEnd();
        }
    }
    return result;
}

} // namespace vk::ui
