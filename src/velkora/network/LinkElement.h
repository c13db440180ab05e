//! @file LinkElement.h
//! Elements that link the reactors of a network, and their default names.
#ifndef VELKORA_NETWORK_LINKELEMENT_H
#define VELKORA_NETWORK_LINKELEMENT_H

#include <map>
#include <string>

namespace Velkora
{

//! An element connecting reactors (a valve, a wall, ...). Subclasses name
//! their kind through type().
class LinkElement
{
public:
    //! An element called `name`; "(none)" and "" both mean unnamed.
    explicit LinkElement(const std::string& name = "(none)") : m_name(name) {}
    virtual ~LinkElement() {}

    //! The kind of element; "LinkElement" for the base.
    virtual std::string type() const { return "LinkElement"; }

    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }
    //! Whether setDefaultName() has run on this element.
    bool defaultNameSet() const { return m_defaultNameSet; }

    //! Names an unnamed element "<type>_<n>", n being the number of elements
    //! of its type counted in `counts` before it; every element counts, named
    //! or not. Runs once per element: later calls change nothing.
    void setDefaultName(std::map<std::string, int>& counts);

protected:
    std::string m_name;
    bool m_defaultNameSet = false;
};

} // namespace Velkora

#endif
