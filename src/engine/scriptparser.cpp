#include "engine/scriptparser.h"

#include "engine/scripterror.h"
#include "engine/scriptfunctions.h"
#include "engine/scriptlexer.h"

#include <QString>

namespace {

using T = ScriptLexer::Token;

class Parser
{
public:
    explicit Parser(const std::string &shape) : m_s(shape) {}

    ScriptProgram run()
    {
        if (peek() == T::End)
            throwScriptError(ScriptError::SyntaxError);
        const int root = expression();
        if (peek() != T::End)
            throwScriptError(peek() == T::RParen ? ScriptError::SyntaxError
                                                 : ScriptError::ExpectedEndOfStatement);
        m_program.root = root;
        return std::move(m_program);
    }

private:
    struct DepthGuard
    {
        explicit DepthGuard(int &depth) : m_depth(depth)
        {
            if (++m_depth > ScriptParser::kMaxDepth)
                throwScriptError(ScriptError::OutOfStackSpace);
        }
        ~DepthGuard() { --m_depth; }
        int &m_depth;
    };

    T peek() const { return m_pos < m_s.size() ? T(m_s[m_pos]) : T::End; }
    void advance() { ++m_pos; }

    // The identifier's name, at m_pos just after its token byte.
    const char *takeName()
    {
        const char *name = m_s.c_str() + m_pos;
        m_pos += std::strlen(name) + 1;
        return name;
    }

    int add(ScriptNode node, int childDepth)
    {
        if (childDepth + 1 > ScriptParser::kMaxTreeDepth)
            throwScriptError(ScriptError::OutOfStackSpace);
        m_program.nodes.push_back(node);
        m_depths.push_back(childDepth + 1);
        return int(m_program.nodes.size()) - 1;
    }

    int depthOf(int node) const { return m_depths[size_t(node)]; }

    int binary(ScriptNode::Op op, int left, int right)
    {
        ScriptNode n{ScriptNode::Binary};
        n.op = op;
        n.a = left;
        n.b = right;
        if (isLiteral(left))
            n.flags |= ScriptNode::LeftLiteral;
        if (isLiteral(right))
            n.flags |= ScriptNode::RightLiteral;
        return add(n, std::max(depthOf(left), depthOf(right)));
    }

    int unary(ScriptNode::Op op, int operand)
    {
        ScriptNode n{ScriptNode::Unary};
        n.op = op;
        n.a = operand;
        return add(n, depthOf(operand));
    }

    // Constants written in the text keep their own type in comparisons with
    // text ("1" = 1 is True), which computed values do not.
    bool isLiteral(int node) const
    {
        const ScriptNode &n = m_program.nodes[size_t(node)];
        if (n.kind == ScriptNode::Literal || n.kind == ScriptNode::Constant)
            return true;
        return n.kind == ScriptNode::Unary && n.op != ScriptNode::Not && isLiteral(n.a);
    }

    int expression()
    {
        DepthGuard guard(m_depth);
        return imp();
    }

    int imp()
    {
        int left = eqv();
        while (peek() == T::KwImp) {
            advance();
            left = binary(ScriptNode::Imp, left, eqv());
        }
        return left;
    }

    int eqv()
    {
        int left = xorExpr();
        while (peek() == T::KwEqv) {
            advance();
            left = binary(ScriptNode::Eqv, left, xorExpr());
        }
        return left;
    }

    int xorExpr()
    {
        int left = orExpr();
        while (peek() == T::KwXor) {
            advance();
            left = binary(ScriptNode::Xor, left, orExpr());
        }
        return left;
    }

    int orExpr()
    {
        int left = andExpr();
        while (peek() == T::KwOr) {
            advance();
            left = binary(ScriptNode::Or, left, andExpr());
        }
        return left;
    }

    int andExpr()
    {
        int left = notExpr();
        while (peek() == T::KwAnd) {
            advance();
            left = binary(ScriptNode::And, left, notExpr());
        }
        return left;
    }

    int notExpr()
    {
        if (peek() == T::KwNot) {
            DepthGuard guard(m_depth);
            advance();
            return unary(ScriptNode::Not, notExpr());
        }
        return comparison();
    }

    int comparison()
    {
        int left = concat();
        for (;;) {
            ScriptNode::Op op;
            switch (peek()) {
            case T::Equal:
                op = ScriptNode::Equal;
                break;
            case T::NotEqual:
                op = ScriptNode::NotEqual;
                break;
            case T::Less:
                op = ScriptNode::Less;
                break;
            case T::Greater:
                op = ScriptNode::Greater;
                break;
            case T::LessEqual:
                op = ScriptNode::LessEqual;
                break;
            case T::GreaterEqual:
                op = ScriptNode::GreaterEqual;
                break;
            case T::KwIs:
                op = ScriptNode::Is;
                break;
            default:
                return left;
            }
            advance();
            // "a = Not b" is accepted, as VBScript does.
            const int right = peek() == T::KwNot ? notExpr() : concat();
            left = binary(op, left, right);
        }
    }

    int concat()
    {
        int left = additive();
        while (peek() == T::Ampersand) {
            advance();
            left = binary(ScriptNode::Concat, left, additive());
        }
        return left;
    }

    int additive()
    {
        int left = modulo();
        for (;;) {
            if (peek() == T::Plus) {
                advance();
                left = binary(ScriptNode::Add, left, modulo());
            } else if (peek() == T::Minus) {
                advance();
                left = binary(ScriptNode::Subtract, left, modulo());
            } else {
                return left;
            }
        }
    }

    int modulo()
    {
        int left = intDivide();
        while (peek() == T::KwMod) {
            advance();
            left = binary(ScriptNode::Modulo, left, intDivide());
        }
        return left;
    }

    int intDivide()
    {
        int left = multiplicative();
        while (peek() == T::Backslash) {
            advance();
            left = binary(ScriptNode::IntDivide, left, multiplicative());
        }
        return left;
    }

    int multiplicative()
    {
        int left = signed_();
        for (;;) {
            if (peek() == T::Star) {
                advance();
                left = binary(ScriptNode::Multiply, left, signed_());
            } else if (peek() == T::Slash) {
                advance();
                left = binary(ScriptNode::Divide, left, signed_());
            } else {
                return left;
            }
        }
    }

    // Unary minus binds looser than "^": -2^2 is -4.
    int signed_()
    {
        if (peek() == T::Minus || peek() == T::Plus) {
            DepthGuard guard(m_depth);
            const ScriptNode::Op op = peek() == T::Minus ? ScriptNode::Negate : ScriptNode::Identity;
            advance();
            return unary(op, signed_());
        }
        return power();
    }

    int power()
    {
        int left = primary();
        while (peek() == T::Caret) {
            advance();
            left = binary(ScriptNode::Power, left, powerOperand());
        }
        return left;
    }

    // 2 ^ -1 is allowed: a sign may follow "^".
    int powerOperand()
    {
        if (peek() == T::Minus || peek() == T::Plus) {
            DepthGuard guard(m_depth);
            const ScriptNode::Op op = peek() == T::Minus ? ScriptNode::Negate : ScriptNode::Identity;
            advance();
            return unary(op, powerOperand());
        }
        return primary();
    }

    int constant(const ScriptValue &value)
    {
        ScriptNode n{ScriptNode::Constant};
        n.a = int(m_program.constants.size());
        m_program.constants.push_back(value);
        return add(n, 0);
    }

    int primary()
    {
        switch (peek()) {
        case T::Literal: {
            advance();
            ScriptNode n{ScriptNode::Literal};
            n.a = m_literal++;
            return add(n, 0);
        }
        case T::KwTrue:
            advance();
            return constant(ScriptValue::fromBool(true));
        case T::KwFalse:
            advance();
            return constant(ScriptValue::fromBool(false));
        case T::KwEmpty:
            advance();
            return constant(ScriptValue());
        case T::KwNull:
            advance();
            return constant(ScriptValue::null());
        case T::KwNothing:
            advance();
            return constant(ScriptValue::nothing());
        case T::LParen: {
            advance();
            const int inner = expression();
            if (peek() != T::RParen)
                throwScriptError(ScriptError::ExpectedCloseParen);
            advance();
            return inner;
        }
        case T::Identifier:
            advance();
            return identifier(takeName());
        default:
            throwScriptError(ScriptError::SyntaxError);
        }
    }

    int identifier(const char *name)
    {
        const ScriptFunction *function = ScriptFunctions::find(name);
        if (!function) {
            ScriptValue value;
            if (!ScriptFunctions::constant(name, value))
                throwScriptError(ScriptError::VariableUndefined);
            if (peek() == T::LParen)
                throwScriptError(ScriptError::TypeMismatch);
            return constant(value);
        }
        std::vector<int> args;
        if (peek() == T::LParen) {
            DepthGuard guard(m_depth);
            advance();
            if (peek() != T::RParen) {
                for (;;) {
                    args.push_back(expression());
                    if (args.size() > ScriptFunctions::kMaxArguments)
                        throwScriptError(ScriptError::WrongArguments);
                    if (peek() == T::Comma) {
                        advance();
                        continue;
                    }
                    if (peek() != T::RParen)
                        throwScriptError(ScriptError::ExpectedCloseParen);
                    break;
                }
            }
            advance();
        }
        if (int(args.size()) < function->minArgs || int(args.size()) > function->maxArgs)
            throwScriptError(ScriptError::WrongArguments);
        ScriptNode n{ScriptNode::Call};
        n.function = function;
        n.a = int(m_program.arguments.size());
        n.b = int(args.size());
        int deepest = 0;
        for (int arg : args) {
            m_program.arguments.push_back(arg);
            deepest = std::max(deepest, depthOf(arg));
        }
        return add(n, deepest);
    }

    const std::string &m_s;
    size_t m_pos = 0;
    int m_literal = 0;
    int m_depth = 0;
    std::vector<int> m_depths;
    ScriptProgram m_program;
};

} // namespace

ScriptProgram ScriptParser::parse(const std::string &shape)
{
    return Parser(shape).run();
}
