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

QueltConcept::QueltConcept(std::string name, std::string code, long id,
    const std::string& nameSpace, const std::string& kind, bool state)
    : name_(std::move(name))
    , code_(std::move(code))
    , id_(id)
    , state_(state)
{
    NameRegistry& reg = registry();
    if (reg.count() == 0)
        initializeMaps();
    namespaceId_ = resolveNamespace<QueltConcept>(nameSpace);
    kindId_ = resolveKind<QueltConcept>(kind);
    reg.construct();
    mapId_ = reg.count();
    // Duplicate checks, then the name under the new map id, then the id and
    // the code.
    reg.admit(name_, code_, id_, mapId_);
}

QueltConcept::QueltConcept(const QueltConcept& other)
    : name_(other.name_)
    , code_(other.code_)
    , id_(other.id_)
    , namespaceId_(other.namespaceId_)
    , kindId_(other.kindId_)
    , state_(other.state_)
    , parents_(other.parents_)
    , roles_(other.roles_)
    , properties_(other.properties_)
    , associations_(other.associations_)
    , roleGroups_(other.roleGroups_)
{
    registry().construct();
    mapId_ = registry().count();
}

QueltConcept::QueltConcept(QueltConcept&& other)
    : name_(std::move(other.name_))
    , code_(std::move(other.code_))
    , id_(other.id_)
    , namespaceId_(other.namespaceId_)
    , kindId_(other.kindId_)
    , state_(other.state_)
    , parents_(std::move(other.parents_))
    , roles_(std::move(other.roles_))
    , properties_(std::move(other.properties_))
    , associations_(std::move(other.associations_))
    , roleGroups_(std::move(other.roleGroups_))
{
    registry().construct();
    mapId_ = registry().count();
}

QueltConcept& QueltConcept::operator=(const QueltConcept& other)
{
    if (this != &other) {
        name_ = other.name_;
        code_ = other.code_;
        id_ = other.id_;
        namespaceId_ = other.namespaceId_;
        kindId_ = other.kindId_;
        state_ = other.state_;
        parents_ = other.parents_;
        mapId_ = other.mapId_;
        roles_ = other.roles_;
        properties_ = other.properties_;
        associations_ = other.associations_;
        roleGroups_ = other.roleGroups_;
    }
    return *this;
}

QueltConcept::~QueltConcept()
{
    registry().destroy();
}

void QueltConcept::setName(const std::string& name)
{
    if (conceptInMap(name))
        setError(QueltTerminology::NAME_EXISTS);
    else
        name_ = name;
}

void QueltConcept::reName(const std::string& name)
{
    if (conceptInMap(name))
        setError(QueltTerminology::NAME_EXISTS);
    registry().remove(mapId_, name_);
    name_ = name;
    registry().add(mapId_, name_);
}

void QueltConcept::setCode(const std::string& code)
{
    if (codeInSet(code))
        setError(QueltTerminology::CODE_EXISTS);
    code_ = code;
}

void QueltConcept::setID(long id)
{
    if (idInSet(id))
        setError(QueltTerminology::ID_EXISTS);
    id_ = id;
}

std::string QueltConcept::getID(char) const
{
    return std::to_string(id_);
}

const std::string& QueltConcept::getNamespace() const
{
    return namespaceOf<QueltConcept>(namespaceId_);
}

void QueltConcept::setNamespace(const std::string& nameSpace)
{
    if (!isError(QueltTerminology::NO_NAMESPACE))
        namespaceId_ = QueltName::getNamespaceMapID(nameSpace);
}

const std::string& QueltConcept::getKind() const
{
    return kindOf<QueltConcept>(kindId_);
}

void QueltConcept::setKind(const std::string& kind)
{
    if (!isError(QueltTerminology::NO_KIND))
        kindId_ = QueltKind::getKindMapID(kind);
}

void QueltConcept::clear()
{
    name_.clear();
    code_.clear();
    id_ = -1;
    namespaceId_ = -1;
    kindId_ = -1;
    parents_.clear();
    roles_.clear();
    properties_.clear();
    associations_.clear();
    roleGroups_.clear();
    state_ = false;
    clearError();
}

void QueltConcept::addParents(const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        addParent(name);
}

void QueltConcept::addParents(std::vector<std::string>&& names)
{
    for (std::string& name : names)
        addParent(std::move(name));
}

void QueltConcept::countRole(long group, long delta)
{
    long& count = roleGroups_[group];
    count += delta;
    if (count <= 0)
        roleGroups_.erase(group);
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
    roles_.emplace(nameId, std::move(role));
    countRole(group, 1);
}

void QueltConcept::addRoles(const std::vector<QueltRole>& roles)
{
    for (const QueltRole& role : roles)
        addRole(role);
}

void QueltConcept::addRoles(std::vector<QueltRole>&& roles)
{
    for (QueltRole& role : roles)
        addRole(std::move(role));
}

long QueltConcept::getNumRoleGroups() const
{
    if (roleGroups_.empty())
        return 0;
    long groups = static_cast<long>(roleGroups_.size());
    return roleGroups_.begin()->first == 0 ? groups - 1 : groups;
}

bool QueltConcept::hasRolegroups() const
{
    return roleGroups_.size() >= 2 || (roleGroups_.size() == 1 && roleGroups_.begin()->first == 1);
}

bool QueltConcept::hasAllRolesInGroup() const
{
    return !roleGroups_.empty() && roleGroups_.begin()->first == 1;
}

void QueltConcept::setRoleValue(RoleMap::iterator it, const std::string& value)
{
    if (it != roles_.end())
        it->second.setValue(value);
}

template <class Pred> void QueltConcept::eraseRolesIf(Pred pred)
{
    for (auto it = roles_.begin(); it != roles_.end();) {
        if (pred(it->second)) {
            countRole(it->second.getRolegroup(), -1);
            it = roles_.erase(it);
        } else {
            ++it;
        }
    }
}

void QueltConcept::deleteRole(const std::string& name, const std::string& value)
{
    eraseRolesIf([&](const QueltRole& r) { return r.getName() == name && r.getValue() == value; });
}

void QueltConcept::deleteRole(const std::string& name)
{
    eraseRolesIf([&](const QueltRole& r) { return r.getName() == name; });
}

void QueltConcept::deleteRole(const QueltRole& role)
{
    eraseRolesIf([&](const QueltRole& r) { return r == role; });
}

void QueltConcept::deleteAllRoles()
{
    roles_.clear();
    roleGroups_.clear();
}

bool QueltConcept::hasRole(const std::string& name) const
{
    for (const auto& entry : roles_) {
        if (entry.second.getName() == name)
            return true;
    }
    return false;
}

bool QueltConcept::hasRole(const QueltRole& role) const
{
    for (const auto& entry : roles_) {
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
    properties_.emplace(nameId, std::move(property));
}

void QueltConcept::addProperties(const std::vector<QueltProperty>& properties)
{
    for (const QueltProperty& property : properties)
        addProperty(property);
}

void QueltConcept::addProperties(std::vector<QueltProperty>&& properties)
{
    for (QueltProperty& property : properties)
        addProperty(std::move(property));
}

QueltConcept::PropertyMap::const_iterator QueltConcept::findProperty(const std::string& name) const
{
    for (auto it = properties_.begin(); it != properties_.end(); ++it) {
        if (it->second.getName() == name)
            return it;
    }
    return properties_.end();
}

QueltConcept::PropertyMap::iterator QueltConcept::propertyIterator(const std::string& name)
{
    for (auto it = properties_.begin(); it != properties_.end(); ++it) {
        if (it->second.getName() == name)
            return it;
    }
    return properties_.end();
}

std::string QueltConcept::getPropertyValue(const std::string& name) const
{
    auto it = findProperty(name);
    return it == properties_.end() ? std::string() : it->second.getValue();
}

long QueltConcept::getPropertyNumber(const std::string& name) const
{
    long count = 0;
    for (const auto& entry : properties_) {
        if (entry.second.getName() == name)
            ++count;
    }
    return count;
}

void QueltConcept::setPropertyValue(PropertyMap::iterator it, const std::string& value)
{
    if (it != properties_.end())
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

void QueltConcept::deleteProperty(const std::string& name, const std::string& value)
{
    eraseIf(properties_,
        [&](const QueltProperty& p) { return p.getName() == name && p.getValue() == value; });
}

void QueltConcept::deleteProperty(const QueltProperty& property)
{
    eraseIf(properties_, [&](const QueltProperty& p) { return p == property; });
}

void QueltConcept::deleteProperty(const std::string& name)
{
    eraseIf(properties_, [&](const QueltProperty& p) { return p.getName() == name; });
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
    associations_.emplace(nameId, std::move(association));
}

void QueltConcept::addAssociations(const std::vector<QueltAssociation>& associations)
{
    for (const QueltAssociation& association : associations)
        addAssociation(association);
}

void QueltConcept::addAssociations(std::vector<QueltAssociation>&& associations)
{
    for (QueltAssociation& association : associations)
        addAssociation(std::move(association));
}

void QueltConcept::deleteAssociation(const QueltAssociation& association)
{
    eraseIf(associations_, [&](const QueltAssociation& a) { return a == association; });
}

bool QueltConcept::hasSameNamespace(const QueltConcept& other) const
{
    return namespaceId_ == other.namespaceId_;
}

bool QueltConcept::hasSameProperties(const QueltConcept& other) const
{
    return properties_ == other.properties_;
}

bool QueltConcept::hasSameAssociations(const QueltConcept& other) const
{
    return associations_ == other.associations_;
}

bool QueltConcept::hasLessThanProperties(const QueltConcept& other) const
{
    return properties_ < other.properties_;
}

bool QueltConcept::hasLessThanAssociations(const QueltConcept& other) const
{
    return associations_ < other.associations_;
}

bool QueltConcept::operator==(const QueltConcept& other) const
{
    return id_ == other.id_ && code_ == other.code_ && namespaceId_ == other.namespaceId_
        && kindId_ == other.kindId_ && state_ == other.state_ && name_ == other.name_
        && parents_ == other.parents_ && roles_ == other.roles_
        && associations_ == other.associations_ && properties_ == other.properties_;
}

bool QueltConcept::operator<(const QueltConcept& other) const
{
    return id_ < other.id_ && code_ < other.code_ && namespaceId_ < other.namespaceId_
        && kindId_ < other.kindId_ && state_ < other.state_ && name_ < other.name_
        && parents_ < other.parents_ && roles_ < other.roles_ && associations_ < other.associations_
        && properties_ < other.properties_;
}

std::ostream& operator<<(std::ostream& out, const QueltConcept& concept)
{
    std::ios_base::fmtflags saved = out.flags();
    out << std::right;
    auto line
        = [&out](const char* label) -> std::ostream& { return out << std::setw(20) << label; };
    line("Name:\t") << concept.getName() << '\n';
    line("\t") << (concept.getState() ? "Defined" : "Primitive") << '\n';
    line("Code:\t") << concept.getCode() << '\n';
    line("ID:\t") << concept.getID() << '\n';
    line("Namespace:\t") << concept.getNamespace() << '\n';
    line("Kind:\t") << concept.getKind() << '\n';
    for (const std::string& parent : concept.getParents())
        line("Defining Concept:\t") << parent << '\n';
    for (const auto& entry : concept.getRoles())
        line("Defining Role:\t") << entry.second << '\n';
    for (const auto& entry : concept.getProperties())
        line("Property:\t") << entry.second << '\n';
    for (const auto& entry : concept.getAssociations())
        line("Association:\t") << entry.second << '\n';
    out.flags(saved);
    return out;
}
