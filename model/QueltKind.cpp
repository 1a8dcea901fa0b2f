#include "model/QueltKind.h"

#include "model/NameResolution.h"

NameRegistry::Policy QueltKind::registryPolicy()
{
    return { QueltTerminology::NO_KIND, "Could not allocate memory for a map or a set.  Will EXIT",
        true, true };
}

QueltKind::QueltKind(const std::string& name, long id, const std::string& code,
    const std::string& nameSpace, bool reference)
    : DefinitionRecord(name, code, id)
    , namespaceId_(resolveNamespace<QueltKind>(nameSpace))
    , reference_(reference)
{
}

const std::string& QueltKind::getNamespace() const
{
    return namespaceOf<QueltKind>(namespaceId_);
}

bool QueltKind::isSame(const QueltKind& other) const
{
    return name_ == other.name_ && id_ == other.id_ && code_ == other.code_
        && namespaceId_ == other.namespaceId_ && reference_ == other.reference_;
}
