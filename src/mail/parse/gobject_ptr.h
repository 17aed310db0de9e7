// Owning handles for GLib and GObject values, so every exit path releases them.
#pragma once

#include <glib-object.h>

#include <memory>

namespace tv::mail {

struct GObjectUnref {
    void operator()(void* object) const {
        if (object) g_object_unref(object);
    }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree {
    void operator()(void* memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<char, GFree>;

}  // namespace tv::mail
