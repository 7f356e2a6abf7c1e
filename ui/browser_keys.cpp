// The browser's key table: the built-in navigation for the keys it knows, by modifier and by
// which of the browser's controls has the focus; every other key goes to the post-command slot.
#include "platform/qt/combo_box.h"
#include "platform/qt/form.h"
#include "platform/qt/keys.h"
#include "ui/bit_btn.h"
#include "ui/browser_grid_ctrl.h"
#include "ui/kv_edit.h"
#include "ui/mouse_grid.h"

namespace ui {
namespace {

using namespace platform::qt;

// Which of the browser's controls has the focus.
struct Focus {
  bool browser_or_grid = false;
  bool search = false;
  bool sort_selector = false;
};

// The form's focused control, also while its window is not the active one.
bool HasFocus(const TWinControl* control) {
  if (control == nullptr) return false;
  const TForm* form = control->ParentForm();
  return control->Focused() || (form != nullptr && form->ActiveControl() == control);
}

Focus FocusOf(const TkvBrow& b, const TkvMouseGrid& grid) {
  Focus f;
  f.browser_or_grid = HasFocus(&b) || HasFocus(&grid);
  f.search = HasFocus(b.SearchField());
  f.sort_selector = HasFocus(b.SortCombo()) || HasFocus(b.SortButton());
  return f;
}

}  // namespace

bool TkvBrowStringGridCtrl::HandleKey(TShiftState shift, std::uint16_t key,
                                      bool close_without_asking) {
  TkvBrow& b = owner_;
  const Focus focus = FocusOf(b, *grid_);
  const TShiftState modifiers = shift & (ssShift | ssAlt | ssCtrl);
  const bool extend = b.SelectionMode() == 1;
  bool clear_search = true;
  bool handled = true;
  // A move that the sort selector keeps for itself while it has the focus.
  const auto unless_selector = [&](auto&& move) {
    if (focus.sort_selector) {
      handled = false;
      return;
    }
    move();
  };

  if (modifiers == ssCtrl) {
    switch (key) {
      case VK_PRIOR:
      case VK_HOME:
        b.ClearSelection();
        GotoFirst();
        break;
      case VK_NEXT:
      case VK_END:
        b.ClearSelection();
        GotoLast();
        break;
      case VK_LEFT:
        ColumnLeft();
        break;
      case VK_RIGHT:
        ColumnRight();
        break;
      default:
        handled = b.DoProcessPostCommand();
    }
  } else if (modifiers == ssShift) {
    switch (key) {
      case VK_PRIOR:
        unless_selector([&] { PageUp(), b.DoAddSelectRow(2); });
        break;
      case VK_NEXT:
        unless_selector([&] { PageDown(), b.DoAddSelectRow(2); });
        break;
      case VK_END:
        GotoLast();
        b.DoAddSelectRow(2);
        break;
      case VK_HOME:
        GotoFirst();
        b.DoAddSelectRow(2);
        break;
      case VK_UP:
        unless_selector([&] { LineUp(), b.DoAddSelectRow(3); });
        break;
      case VK_DOWN:
        unless_selector([&] { LineDown(), b.DoAddSelectRow(3); });
        break;
      default:
        // Whatever the slot answers, a shifted key of its own is not the browser's.
        b.DoProcessPostCommand();
        handled = false;
    }
  } else if (modifiers == 0) {
    switch (key) {
      case VK_RETURN:
        if (focus.browser_or_grid && b.OnBrowEnter) {
          b.OnBrowEnter();
        } else if (focus.search) {
          if (b.OnBrowSuchfeldEnter) {
            b.OnBrowSuchfeldEnter();
            clear_search = false;
          } else if (b.OnBrowEnter) {
            b.OnBrowEnter();
          }
        } else {
          handled = b.DoProcessPostCommand();
        }
        break;
      case VK_ESCAPE:
        if (focus.browser_or_grid) {
          b.SetCloseQuestion(!close_without_asking);
          b.DoProcessPostCommand();
        } else {
          handled = b.DoProcessPostCommand();
        }
        break;
      case VK_PRIOR:
      case VK_NEXT:
      case VK_UP:
      case VK_DOWN:
        unless_selector([&] {
          b.ClearSelection();
          if (key == VK_PRIOR) PageUp();
          if (key == VK_NEXT) PageDown();
          if (key == VK_UP) LineUp();
          if (key == VK_DOWN) LineDown();
          if (extend) b.DoAddSelectRow(3);
        });
        break;
      case VK_END:
        ColumnLast();
        break;
      case VK_HOME:
        ColumnFirst();
        break;
      case VK_LEFT:
      case VK_RIGHT:
        handled = focus.browser_or_grid;
        if (handled) key == VK_LEFT ? ColumnLeft() : ColumnRight();
        break;
      case VK_DELETE:
        if (focus.browser_or_grid || focus.search) {
          b.DeleteCurrent();
        } else {
          handled = b.DoProcessPostCommand();
          clear_search = false;
        }
        break;
      default:
        handled = b.DoProcessPostCommand();
    }
  } else {
    handled = b.DoProcessPostCommand();
  }
  if (handled && clear_search) b.ClearSearchText();
  return handled;
}

}  // namespace ui
