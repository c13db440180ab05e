//! @file registries.h
//! The handle registries of the library's object types. Each storage pointer
//! is declared here and defined once, in the module that owns the type:
//! ReactorNet in vessel_bridge, Reaction in stoich_bridge, Transport in
//! flux_bridge, ReactorBase in the platform's reactor module, Mechanism in
//! the platform's mechanism module.
#ifndef VELKORA_INTERFACE_REGISTRIES_H
#define VELKORA_INTERFACE_REGISTRIES_H

#include "velkora/interface/Cabinet.h"

namespace Velkora
{

class ReactorNet;
class ReactorBase;
class Reaction;
class Transport;
class Mechanism;

template <> Cabinet<ReactorNet>::Storage* Cabinet<ReactorNet>::s_storage;
template <> Cabinet<ReactorBase>::Storage* Cabinet<ReactorBase>::s_storage;
template <> Cabinet<Reaction>::Storage* Cabinet<Reaction>::s_storage;
template <> Cabinet<Transport>::Storage* Cabinet<Transport>::s_storage;
template <> Cabinet<Mechanism>::Storage* Cabinet<Mechanism>::s_storage;

} // namespace Velkora

#endif
