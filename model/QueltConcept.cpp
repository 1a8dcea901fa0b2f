#include "model/QueltConcept.h"

#include "model/NameResolution.h"

#include <iomanip>

NameRegistry& QueltConcept::registry()
{
    static NameRegistry reg(errors(),
        { QueltTerminology::NO_CONCEPTDEF,
            "Could not allocate memory for a map or a set.  Will EXIT.", false, false });
    return reg;
}

QueltConcept::Ready QueltConcept::ready()
{
    if (registry().count() == 0)
        initializeMaps();
    return Ready();
}

SharedText QueltConcept::readyName(std::string&& name)
{
    // The registries first, as when the name was a string of its own.
    ready();
    return SharedText(std::move(name));
}

QueltConcept::QueltConcept(std::string givenName, std::string givenCode, long givenId,
    const std::string& nameSpace, const std::string& kind, bool givenState)
    : QueltConcept(Ready(), readyName(std::move(givenName)), std::move(givenCode), givenId,
        nameSpace, kind, givenState)
{
}

QueltConcept::QueltConcept(SharedText givenName, std::string givenCode, long givenId,
    const std::string& nameSpace, const std::string& kind, bool givenState)
    : QueltConcept(
        ready(), std::move(givenName), std::move(givenCode), givenId, nameSpace, kind, givenState)
{
}

QueltConcept::QueltConcept(Ready, SharedText givenName, std::string givenCode, long givenId,
    const std::string& nameSpace, const std::string& kind, bool givenState)
    : name(std::move(givenName))
    , code(std::move(givenCode))
    , id(givenId)
    , state(givenState)
{
    NameRegistry& reg = registry();
    namespaceId = resolveNamespace<QueltConcept>(nameSpace);
    kindId = resolveKind<QueltConcept>(kind);
    reg.construct();
    mapId = reg.count();
    // Duplicate checks, then the name under the new map id, then the id and
    // the code.
    reg.admit(name, code, id, mapId);
}

QueltConcept::QueltConcept(const QueltConcept& other)
    : name(other.name)
    , code(other.code)
    , id(other.id)
    , namespaceId(other.namespaceId)
    , kindId(other.kindId)
    , state(other.state)
    , parents(other.parents)
    , roles(other.roles)
    , properties(other.properties)
    , associations(other.associations)
    , roleGroups(other.roleGroups)
{
    registry().construct();
    mapId = registry().count();
}

QueltConcept::QueltConcept(QueltConcept&& other)
    : name(std::move(other.name))
    , code(std::move(other.code))
    , id(other.id)
    , namespaceId(other.namespaceId)
    , kindId(other.kindId)
    , state(other.state)
    , parents(std::move(other.parents))
    , roles(std::move(other.roles))
    , properties(std::move(other.properties))
    , associations(std::move(other.associations))
    , roleGroups(std::move(other.roleGroups))
{
    registry().construct();
    mapId = registry().count();
}

QueltConcept& QueltConcept::operator=(const QueltConcept& other)
{
    if (this != &other) {
        name = other.name;
        code = other.code;
        id = other.id;
        namespaceId = other.namespaceId;
        kindId = other.kindId;
        state = other.state;
        parents = other.parents;
        mapId = other.mapId;
        roles = other.roles;
        properties = other.properties;
        associations = other.associations;
        roleGroups = other.roleGroups;
    }
    return *this;
}

QueltConcept::~QueltConcept()
{
    registry().destroy();
}

void QueltConcept::setName(const std::string& givenName)
{
    if (conceptInMap(givenName))
        setError(QueltTerminology::NAME_EXISTS);
    else
        name = SharedText(givenName);
}

void QueltConcept::reName(const std::string& givenName)
{
    if (conceptInMap(givenName))
        setError(QueltTerminology::NAME_EXISTS);
    registry().remove(mapId, name.str());
    name = SharedText(givenName);
    registry().add(mapId, name);
}

void QueltConcept::setCode(const std::string& givenCode)
{
    if (codeInSet(givenCode))
        setError(QueltTerminology::CODE_EXISTS);
    code = givenCode;
}

void QueltConcept::setID(long givenId)
{
    if (idInSet(givenId))
        setError(QueltTerminology::ID_EXISTS);
    id = givenId;
}

std::string QueltConcept::getID(char) const
{
    return std::to_string(id);
}

const std::string& QueltConcept::getNamespace() const
{
    return namespaceOf<QueltConcept>(namespaceId);
}

void QueltConcept::setNamespace(const std::string& nameSpace)
{
    if (!isError(QueltTerminology::NO_NAMESPACE))
        namespaceId = QueltName::getNamespaceMapID(nameSpace);
}

const std::string& QueltConcept::getKind() const
{
    return kindOf<QueltConcept>(kindId);
}

void QueltConcept::setKind(const std::string& kind)
{
    if (!isError(QueltTerminology::NO_KIND))
        kindId = QueltKind::getKindMapID(kind);
}

void QueltConcept::clear()
{
    name = SharedText();
    code.clear();
    id = -1;
    namespaceId = -1;
    kindId = -1;
    parents.clear();
    roles.clear();
    properties.clear();
    associations.clear();
    roleGroups.clear();
    state = false;
    clearError();
}

void QueltConcept::addParents(const std::vector<std::string>& names)
{
    for (const std::string& givenName : names)
        addParent(givenName);
}

void QueltConcept::addParents(std::vector<std::string>&& names)
{
    for (std::string& givenName : names)
        addParent(std::move(givenName));
}

void QueltConcept::countRole(long group, long delta)
{
    roleGroups.add(group, delta);
}

void QueltConcept::addRole(const QueltRole& role)
{
    addRole(QueltRole(role));
}

void QueltConcept::addRole(QueltRole&& role)
{
    if (QueltRole::isError(QueltTerminology::NO_ROLEDEF))
        setError(QueltTerminology::NO_ROLEDEF);
    long group = role.getRolegroup();
    long nameId = role.getNameID();
    roles.emplace(nameId, std::move(role));
    countRole(group, 1);
}

void QueltConcept::addRoles(const std::vector<QueltRole>& givenRoles)
{
    for (const QueltRole& role : givenRoles)
        addRole(role);
}

void QueltConcept::addRoles(std::vector<QueltRole>&& givenRoles)
{
    roles.reserve(roles.size() + givenRoles.size());
    for (QueltRole& role : givenRoles)
        addRole(std::move(role));
}

long QueltConcept::getNumRoleGroups() const
{
    if (roleGroups.empty())
        return 0;
    long groups = static_cast<long>(roleGroups.size());
    return roleGroups.begin()->first == 0 ? groups - 1 : groups;
}

bool QueltConcept::hasRolegroups() const
{
    return roleGroups.size() >= 2 || (roleGroups.size() == 1 && roleGroups.begin()->first == 1);
}

bool QueltConcept::hasAllRolesInGroup() const
{
    return !roleGroups.empty() && roleGroups.begin()->first == 1;
}

void QueltConcept::setRoleValue(RoleMap::iterator it, const std::string& value)
{
    if (it != roles.end())
        it->second.setValue(value);
}

template <class Pred> void QueltConcept::eraseRolesIf(Pred pred)
{
    for (auto it = roles.begin(); it != roles.end();) {
        if (pred(it->second)) {
            countRole(it->second.getRolegroup(), -1);
            it = roles.erase(it);
        } else {
            ++it;
        }
    }
}

void QueltConcept::deleteRole(const std::string& givenName, const std::string& value)
{
    eraseRolesIf(
        [&](const QueltRole& r) { return r.getName() == givenName && r.getValue() == value; });
}

void QueltConcept::deleteRole(const std::string& givenName)
{
    eraseRolesIf([&](const QueltRole& r) { return r.getName() == givenName; });
}

void QueltConcept::deleteRole(const QueltRole& role)
{
    eraseRolesIf([&](const QueltRole& r) { return r == role; });
}

void QueltConcept::deleteAllRoles()
{
    roles.clear();
    roleGroups.clear();
}

bool QueltConcept::hasRole(const std::string& givenName) const
{
    for (const auto& entry : roles) {
        if (entry.second.getName() == givenName)
            return true;
    }
    return false;
}

bool QueltConcept::hasRole(const QueltRole& role) const
{
    for (const auto& entry : roles) {
        if (entry.second == role)
            return true;
    }
    return false;
}

void QueltConcept::addProperty(const QueltProperty& property)
{
    addProperty(QueltProperty(property));
}

void QueltConcept::addProperty(QueltProperty&& property)
{
    if (QueltProperty::isError(QueltTerminology::NO_PROPDEF))
        setError(QueltTerminology::NO_PROPDEF);
    long nameId = property.getNameID();
    properties.emplace(nameId, std::move(property));
}

void QueltConcept::addProperties(const std::vector<QueltProperty>& givenProperties)
{
    for (const QueltProperty& property : givenProperties)
        addProperty(property);
}

void QueltConcept::addProperties(std::vector<QueltProperty>&& givenProperties)
{
    properties.reserve(properties.size() + givenProperties.size());
    for (QueltProperty& property : givenProperties)
        addProperty(std::move(property));
}

QueltConcept::PropertyMap::const_iterator QueltConcept::findProperty(
    const std::string& givenName) const
{
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        if (it->second.getName() == givenName)
            return it;
    }
    return properties.end();
}

QueltConcept::PropertyMap::iterator QueltConcept::propertyIterator(const std::string& givenName)
{
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        if (it->second.getName() == givenName)
            return it;
    }
    return properties.end();
}

std::string QueltConcept::getPropertyValue(const std::string& givenName) const
{
    auto it = findProperty(givenName);
    return it == properties.end() ? std::string() : it->second.getValue();
}

long QueltConcept::getPropertyNumber(const std::string& givenName) const
{
    long count = 0;
    for (const auto& entry : properties) {
        if (entry.second.getName() == givenName)
            ++count;
    }
    return count;
}

void QueltConcept::setPropertyValue(PropertyMap::iterator it, const std::string& value)
{
    if (it != properties.end())
        it->second.setValue(value);
}

template <class Map, class Pred> static void eraseIf(Map& map, Pred pred)
{
    for (auto it = map.begin(); it != map.end();) {
        if (pred(it->second))
            it = map.erase(it);
        else
            ++it;
    }
}

void QueltConcept::deleteProperty(const std::string& givenName, const std::string& value)
{
    eraseIf(properties,
        [&](const QueltProperty& p) { return p.getName() == givenName && p.getValue() == value; });
}

void QueltConcept::deleteProperty(const QueltProperty& property)
{
    eraseIf(properties, [&](const QueltProperty& p) { return p == property; });
}

void QueltConcept::deleteProperty(const std::string& givenName)
{
    eraseIf(properties, [&](const QueltProperty& p) { return p.getName() == givenName; });
}

void QueltConcept::addAssociation(const QueltAssociation& association)
{
    addAssociation(QueltAssociation(association));
}

void QueltConcept::addAssociation(QueltAssociation&& association)
{
    if (QueltAssociation::isError(QueltTerminology::NO_PROPDEF))
        setError(QueltTerminology::NO_PROPDEF);
    long nameId = association.getNameID();
    associations.emplace(nameId, std::move(association));
}

void QueltConcept::addAssociations(const std::vector<QueltAssociation>& givenAssociations)
{
    for (const QueltAssociation& association : givenAssociations)
        addAssociation(association);
}

void QueltConcept::addAssociations(std::vector<QueltAssociation>&& givenAssociations)
{
    associations.reserve(associations.size() + givenAssociations.size());
    for (QueltAssociation& association : givenAssociations)
        addAssociation(std::move(association));
}

void QueltConcept::deleteAssociation(const QueltAssociation& association)
{
    eraseIf(associations, [&](const QueltAssociation& a) { return a == association; });
}

bool QueltConcept::hasSameNamespace(const QueltConcept& other) const
{
    return namespaceId == other.namespaceId;
}

bool QueltConcept::hasSameProperties(const QueltConcept& other) const
{
    return properties == other.properties;
}

bool QueltConcept::hasSameAssociations(const QueltConcept& other) const
{
    return associations == other.associations;
}

bool QueltConcept::hasLessThanProperties(const QueltConcept& other) const
{
    return properties < other.properties;
}

bool QueltConcept::hasLessThanAssociations(const QueltConcept& other) const
{
    return associations < other.associations;
}

bool QueltConcept::operator==(const QueltConcept& other) const
{
    return id == other.id && code == other.code && namespaceId == other.namespaceId
        && kindId == other.kindId && state == other.state && name == other.name
        && parents == other.parents && roles == other.roles && associations == other.associations
        && properties == other.properties;
}

bool QueltConcept::operator<(const QueltConcept& other) const
{
    return id < other.id && code < other.code && namespaceId < other.namespaceId
        && kindId < other.kindId && state < other.state && name.str() < other.name.str()
        && parents < other.parents && roles < other.roles && associations < other.associations
        && properties < other.properties;
}

std::ostream& operator<<(std::ostream& out, const QueltConcept& con)
{
    std::ios_base::fmtflags saved = out.flags();
    out << std::right;
    auto line
        = [&out](const char* label) -> std::ostream& { return out << std::setw(20) << label; };
    line("Name:\t") << con.getName() << '\n';
    line("\t") << (con.getState() ? "Defined" : "Primitive") << '\n';
    line("Code:\t") << con.getCode() << '\n';
    line("ID:\t") << con.getID() << '\n';
    line("Namespace:\t") << con.getNamespace() << '\n';
    line("Kind:\t") << con.getKind() << '\n';
    for (const std::string& parent : con.getParents())
        line("Defining Concept:\t") << parent << '\n';
    for (const auto& entry : con.getRoles())
        line("Defining Role:\t") << entry.second << '\n';
    for (const auto& entry : con.getProperties())
        line("Property:\t") << entry.second << '\n';
    for (const auto& entry : con.getAssociations())
        line("Association:\t") << entry.second << '\n';
    out.flags(saved);
    return out;
}
