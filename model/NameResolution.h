#ifndef QUELT_MODEL_NAMERESOLUTION_H
#define QUELT_MODEL_NAMERESOLUTION_H

#include "model/QueltKind.h"
#include "model/QueltName.h"
#include "model/QueltTerminology.h"

#include <string>

// How a record turns a name of another class's registry into a map id and
// back. Owner is the record class doing the lookup, Def the class whose
// registry is read, bit the error bit that stands for "Def's registries
// were absent".

// Looks the name up; when Def's error word then has the bit, Owner gets it too.
template <class Owner, class Def> long resolveName(const std::string& name, long bit)
{
    long mapId = Def::lookupId(name);
    if (Def::isError(bit))
        Owner::setError(bit);
    return mapId;
}

// Looks the name up; Owner gets the bit only when this very lookup found
// Def's registries absent (Def's error word may hold the bit for other
// reasons).
template <class Owner, class Def> long resolveNameIfAbsentNow(const std::string& name, long bit)
{
    if (!Def::registry().present())
        Owner::setError(bit);
    return Def::lookupId(name);
}

// The name registered under mapId, or the empty text once Owner has the bit.
template <class Owner, class Def> const std::string& nameOf(long mapId, long bit)
{
    if (Owner::isError(bit))
        return QueltTerminology::emptyString;
    return Def::lookupName(mapId);
}

template <class Owner> long resolveNamespace(const std::string& name)
{
    return resolveName<Owner, QueltName>(name, QueltTerminology::NO_NAMESPACE);
}

template <class Owner> const std::string& namespaceOf(long mapId)
{
    return nameOf<Owner, QueltName>(mapId, QueltTerminology::NO_NAMESPACE);
}

template <class Owner> long resolveKind(const std::string& name)
{
    return resolveName<Owner, QueltKind>(name, QueltTerminology::NO_KIND);
}

template <class Owner> const std::string& kindOf(long mapId)
{
    return nameOf<Owner, QueltKind>(mapId, QueltTerminology::NO_KIND);
}

#endif
