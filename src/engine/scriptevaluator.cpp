#include "engine/scriptevaluator.h"

#include "engine/scriptcontext.h"
#include "engine/scriptconvert.h"
#include "engine/scriptfunctions.h"
#include "engine/scriptlexer.h"
#include "engine/scriptlocale.h"
#include "engine/scriptoperators.h"
#include "engine/scriptparser.h"

#include <list>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>

namespace {

// A parsed program or the compile error its shape gives.
struct CacheEntry
{
    ScriptProgram program;
    int errorCode = ScriptError::None;
};

// Least recently used shapes are dropped first. The last hit is checked before
// the hash table: a report evaluates the same formula many times in a row.
class ProgramCache
{
public:
    static constexpr size_t kCapacity = 256;
    // Longer shapes are parsed each time rather than kept.
    static constexpr size_t kMaxShape = 4096;

    const CacheEntry *find(const std::string &shape)
    {
        if (m_last && m_lastKey == shape)
            return m_last;
        const auto it = m_index.find(shape);
        if (it == m_index.end())
            return nullptr;
        m_order.splice(m_order.begin(), m_order, it->second);
        remember(it->second->first, &it->second->second);
        return m_last;
    }

    const CacheEntry *insert(const std::string &shape, CacheEntry entry)
    {
        if (m_order.size() >= kCapacity) {
            if (m_last && m_lastKey == m_order.back().first)
                m_last = nullptr;
            m_index.erase(m_order.back().first);
            m_order.pop_back();
        }
        m_order.emplace_front(shape, std::move(entry));
        m_index.emplace(shape, m_order.begin());
        remember(shape, &m_order.front().second);
        return m_last;
    }

    void clear()
    {
        m_index.clear();
        m_order.clear();
        m_last = nullptr;
        m_lastKey.clear();
    }

    int size() const { return int(m_order.size()); }

private:
    void remember(const std::string &key, const CacheEntry *entry)
    {
        m_lastKey = key;
        m_last = entry;
    }

    using Order = std::list<std::pair<std::string, CacheEntry>>;
    Order m_order;
    std::unordered_map<std::string, Order::iterator> m_index;
    const CacheEntry *m_last = nullptr;
    std::string m_lastKey;
};

ProgramCache &cache()
{
    static ProgramCache instance;
    return instance;
}

class Machine
{
public:
    Machine(const ScriptProgram &program, const std::vector<ScriptValue> &literals, ScriptContext &context)
        : m_program(program), m_literals(literals), m_context(context)
    {
    }

    ScriptValue run() { return eval(m_program.root); }

private:
    ScriptValue eval(int index)
    {
        const ScriptNode &n = m_program.nodes[size_t(index)];
        switch (n.kind) {
        case ScriptNode::Literal:
            return m_literals[size_t(n.a)];
        case ScriptNode::Constant:
            return m_program.constants[size_t(n.a)];
        case ScriptNode::Unary:
            return ScriptOperators::unary(n.op, eval(n.a), m_context);
        case ScriptNode::Binary: {
            const ScriptValue left = eval(n.a);
            return ScriptOperators::binary(n.op, left, eval(n.b), n.flags, m_context);
        }
        case ScriptNode::Call:
            return call(n);
        }
        return ScriptValue();
    }

    ScriptValue call(const ScriptNode &n)
    {
        const qint32 *argNodes = m_program.arguments.data() + n.a;
        if (ScriptFunctions::isIIf(n.function)) {
            // Only the branch chosen is evaluated, so IIf(q = 0, 0, t / q)
            // does not fail on q = 0.
            const ScriptValue condition = eval(argNodes[0]);
            bool chosen = false;
            if (!condition.isNull())
                chosen = ScriptConvert::toBool(condition, m_context.locale);
            return eval(argNodes[chosen ? 1 : 2]);
        }
        ScriptValue args[ScriptFunctions::kMaxArguments];
        for (int i = 0; i < n.b; ++i)
            args[i] = eval(argNodes[i]);
        return n.function->call(args, n.b, m_context);
    }

    const ScriptProgram &m_program;
    const std::vector<ScriptValue> &m_literals;
    ScriptContext &m_context;
};

} // namespace

ScriptEvaluator::ScriptEvaluator(const QLocale &locale) : m_locale(&ScriptLocale::forLocale(locale))
{
}

ScriptResult ScriptEvaluator::evaluate(const QString &expression) const
{
    // Reused between calls: they hold no state of an evaluation afterwards.
    static std::string shape;
    static std::vector<ScriptValue> literals;
    ScriptResult result;
    try {
        ScriptLexer::tokenize(expression, shape, literals);
        const CacheEntry *entry = cache().find(shape);
        CacheEntry parsed;
        if (!entry) {
            try {
                parsed.program = ScriptParser::parse(shape);
            } catch (const ScriptException &e) {
                parsed.errorCode = e.code();
            }
            if (shape.size() <= ProgramCache::kMaxShape)
                entry = cache().insert(shape, std::move(parsed));
            else
                entry = &parsed;
        }
        if (entry->errorCode != ScriptError::None)
            throwScriptError(entry->errorCode);
        ScriptContext context(*m_locale);
        result.value = Machine(entry->program, literals, context).run();
    } catch (const ScriptException &e) {
        result.value = ScriptValue();
        result.error = e.error();
    } catch (const std::bad_alloc &) {
        result.value = ScriptValue();
        result.error = ScriptError::make(ScriptError::OutOfMemory);
    }
    literals.clear();
    return result;
}

void ScriptEvaluator::clearCache()
{
    cache().clear();
}

int ScriptEvaluator::cacheSize()
{
    return cache().size();
}
