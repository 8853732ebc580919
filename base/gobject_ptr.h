// Ownership of GObject references, GLib allocations and GLib sources.
#pragma once

#include <glib-object.h>

#include <memory>

#include "base/unique_handle.h"

namespace zuno {

struct GObjectUnref {
  void operator()(gpointer object) const {
    if (object) g_object_unref(object);
  }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree {
  void operator()(gpointer p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<gchar, GFree>;

// The id of a source added to the main context, removed when its owner goes.
// A source's own callback that ends it lets go of the id with Forget.
struct SourceKind {
  using Handle = guint;
  static constexpr guint kNone = 0;
  static bool Release(guint id) { return g_source_remove(id); }
};
using SourceId = UniqueHandle<SourceKind>;

}  // namespace zuno
