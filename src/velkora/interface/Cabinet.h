//! @file Cabinet.h
//! The handle registry behind the C interface: one per object type.
#ifndef VELKORA_INTERFACE_CABINET_H
#define VELKORA_INTERFACE_CABINET_H

#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

#include "velkora/interface/VelkoraError.h"

namespace Velkora
{

//! Keeps the objects of type T that foreign callers hold, and gives each an
//! integer handle: its position in the object list. Handles are 0, 1, 2, ...
//! in order of registration and are never reused; a deleted handle keeps its
//! slot. All operations are static, so there is one registry per type in the
//! process. Not synchronised: callers serialise access.
//!
//! The storage pointer of each type is defined once, in the module that owns
//! the type (`template<> Cabinet<T>::Storage* Cabinet<T>::s_storage = nullptr;`),
//! and declared wherever else it is used (see interface/registries.h).
template <class T>
class Cabinet
{
public:
    //! The registry's data.
    struct Storage
    {
        //! Address of each registered object to the handles it holds.
        std::unordered_map<const T*, std::set<int>> m_lookup;
        //! Slot i holds the object of handle i; empty once deleted.
        std::vector<std::shared_ptr<T>> m_objects;
    };

    //! Registers `obj` (not null) and returns its new handle. An object that is
    //! already registered receives a further handle.
    static int add(std::shared_ptr<T> obj)
    {
        Storage& s = storage();
        s.m_objects.push_back(obj);
        int n = static_cast<int>(s.m_objects.size()) - 1;
        auto it = s.m_lookup.find(obj.get());
        if (it != s.m_lookup.end()) {
            it->second.insert(n);
        } else {
            s.m_lookup.emplace(obj.get(), std::set<int>{n});
        }
        return n;
    }

    //! The slot of handle `n`, valid until the next add(). Throws for a handle
    //! out of range or deleted.
    static std::shared_ptr<T>& at(int n)
    {
        Storage& s = storage();
        // One unsigned comparison rejects negative handles too.
        if (static_cast<size_t>(n) >= s.m_objects.size()) {
            throwAt("Index {} out of range.", n);
        }
        std::shared_ptr<T>& slot = s.m_objects[n];
        if (!slot) {
            throwAt("Object with index {} has been deleted.", n);
        }
        return slot;
    }

    //! Deletes handle `n`: its slot is emptied and the registry's reference
    //! dropped; the object lives on while another owner holds it.
    static void del(int n)
    {
        Storage& s = storage();
        if (n < 0 || n >= static_cast<int>(s.m_objects.size())) {
            throw VelkoraError("Cabinet::del", "Attempt made to delete a non-existing object.");
        }
        std::shared_ptr<T>& slot = s.m_objects[n];
        auto it = s.m_lookup.find(slot.get());
        if (it == s.m_lookup.end()) {
            throw VelkoraError("Cabinet::del", "Lookup table does not contain reference to object.");
        }
        if (it->second.size() == 1) {
            s.m_lookup.erase(it);
        } else {
            it->second.erase(n);
        }
        slot.reset();
    }

    //! The objects of the `n` handles at `handles`, in order, sharing their
    //! ownership; the first bad handle throws. `n` of 0 or less reads
    //! nothing; a null array with `n` above 0 is refused, naming `procedure`.
    static std::vector<std::shared_ptr<T>> collect(const char* procedure, int n, const int* handles)
    {
        if (n > 0 && handles == nullptr) {
            throw VelkoraError(procedure, "The handle array is a null pointer.");
        }
        std::vector<std::shared_ptr<T>> list;
        for (int i = 0; i < n; i++) {
            list.push_back(at(handles[i]));
        }
        return list;
    }

    //! Number of slots, deleted ones included.
    static int size()
    {
        return static_cast<int>(storage().m_objects.size());
    }

    //! Null until the first call of any operation of this type.
    static Storage* s_storage;

private:
    static Storage& storage()
    {
        if (!s_storage) {
            create();
        }
        return *s_storage;
    }

    // Out of line, so that the lookup itself stays a few instructions.
    [[gnu::noinline, gnu::cold]] static void create() { s_storage = new Storage(); }

    [[noreturn, gnu::noinline, gnu::cold]] static void throwAt(const char* message, int n)
    {
        throw VelkoraError("Cabinet::at", message, n);
    }
};

} // namespace Velkora

#endif
