// The parser's decisions that the language leaves to context: what a statement call's
// parentheses mean, where a one-line If ends, and what each name in a procedure is bound to.
#include <gtest/gtest.h>

#include "vbscript/CompileError.h"
#include "vbscript/Lexer.h"
#include "vbscript/Parser.h"

namespace quillon::vbscript {
namespace {

std::unique_ptr<Program> Parse(const std::string& code) {
  auto source = std::make_shared<SourceText>();
  source->text = code;
  return Parser(source, false).ParseProgram();
}

const CallExpr& CallOf(const Stmt& stmt) {
  EXPECT_EQ(stmt.kind, StmtKind::kCall);
  const Expr& call = *static_cast<const CallStmt&>(stmt).call;
  EXPECT_EQ(call.kind, ExprKind::kCall);
  return static_cast<const CallExpr&>(call);
}

TEST(Parser, ParenthesesAfterAStatementCallBelongToItsFirstArgument) {
  auto program = Parse("Foo (a), b\nFoo (a) + 1\nFoo(a)\nCall Foo(a, b)\nobj.Run (1), 2");
  const CallExpr& first = CallOf(*program->body[0]);
  ASSERT_EQ(first.args.size(), 2u);
  EXPECT_TRUE(first.args[0]->parenthesized);
  EXPECT_FALSE(first.args[1]->parenthesized);
  const CallExpr& second = CallOf(*program->body[1]);
  ASSERT_EQ(second.args.size(), 1u);
  EXPECT_EQ(second.args[0]->kind, ExprKind::kBinary);
  const CallExpr& third = CallOf(*program->body[2]);
  ASSERT_EQ(third.args.size(), 1u);
  EXPECT_TRUE(third.args[0]->parenthesized);  // by value, as VBScript passes it
  const CallExpr& fourth = CallOf(*program->body[3]);
  EXPECT_EQ(fourth.args.size(), 2u);
  EXPECT_FALSE(fourth.args[0]->parenthesized);
  const CallExpr& fifth = CallOf(*program->body[4]);
  EXPECT_EQ(fifth.callee->kind, ExprKind::kMember);
  EXPECT_EQ(fifth.args.size(), 2u);
}

TEST(Parser, OmittedArgumentsAreKeptInPlace) {
  auto program = Parse("x = F(1, , 3)\nG , 2");
  const auto& assign = static_cast<const AssignStmt&>(*program->body[0]);
  const auto& call = static_cast<const CallExpr&>(*assign.value);
  ASSERT_EQ(call.args.size(), 3u);
  EXPECT_EQ(call.args[1], nullptr);
  const CallExpr& statement = CallOf(*program->body[1]);
  ASSERT_EQ(statement.args.size(), 2u);
  EXPECT_EQ(statement.args[0], nullptr);
}

TEST(Parser, AOneLineIfEndsAtTheLineAndTakesColonSeparatedStatements) {
  auto program = Parse("If a Then b : c Else d : e\nf");
  ASSERT_EQ(program->body.size(), 2u);
  const auto& branch = static_cast<const IfStmt&>(*program->body[0]);
  EXPECT_EQ(branch.branches[0].body.size(), 2u);
  EXPECT_EQ(branch.else_body.size(), 2u);
  EXPECT_EQ(program->body[1]->line, 2);
}

TEST(Parser, ProceduresAreCollectedApartFromTheStatements) {
  auto program = Parse("Call Later\nSub Later : End Sub\nClass K : End Class\nx = 1");
  EXPECT_EQ(program->body.size(), 2u);
  ASSERT_EQ(program->procedures.size(), 1u);
  EXPECT_EQ(program->procedures[0]->display, "Later");
  ASSERT_EQ(program->classes.size(), 1u);
  EXPECT_EQ(program->classes[0]->name, "k");
}

// Finds the first name with this spelling in an expression tree.
const NameExpr* FindName(const Expr* expr, const std::string& name) {
  if (expr == nullptr) return nullptr;
  switch (expr->kind) {
    case ExprKind::kName: {
      const auto* n = static_cast<const NameExpr*>(expr);
      return n->name == name ? n : nullptr;
    }
    case ExprKind::kCall: {
      const auto* call = static_cast<const CallExpr*>(expr);
      if (const NameExpr* found = FindName(call->callee.get(), name)) return found;
      for (const auto& arg : call->args) {
        if (const NameExpr* found = FindName(arg.get(), name)) return found;
      }
      return nullptr;
    }
    case ExprKind::kBinary: {
      const auto* binary = static_cast<const BinaryExpr*>(expr);
      if (const NameExpr* found = FindName(binary->left.get(), name)) return found;
      return FindName(binary->right.get(), name);
    }
    case ExprKind::kMember:
      return FindName(static_cast<const MemberExpr*>(expr)->object.get(), name);
    default:
      return nullptr;
  }
}

TEST(Parser, NamesInAProcedureAreBoundOnceItIsRead) {
  auto program = Parse(
      "Function Fact(n)\n"
      "  Fact = n * Fact(n - 1) + total + later\n"
      "  Dim later\n"
      "End Function");
  const ProcedureDecl& fact = *program->procedures[0];
  const auto& assign = static_cast<const AssignStmt&>(*fact.body[0]);
  const auto& target = static_cast<const NameExpr&>(*assign.target);
  EXPECT_EQ(target.binding, Binding::kLocal);
  EXPECT_EQ(target.slot, 0);  // the function's own name is its return value
  const auto& sum = static_cast<const BinaryExpr&>(*assign.value);
  const NameExpr* recursive = FindName(sum.left.get(), "fact");
  ASSERT_NE(recursive, nullptr);
  EXPECT_EQ(recursive->binding, Binding::kGlobal);  // with arguments: a call
  EXPECT_EQ(FindName(assign.value.get(), "n")->binding, Binding::kLocal);
  EXPECT_EQ(FindName(assign.value.get(), "total")->binding, Binding::kGlobal);
  // Dim anywhere in the procedure makes the name local everywhere in it.
  EXPECT_EQ(FindName(assign.value.get(), "later")->binding, Binding::kLocal);
}

TEST(Parser, NamesInAClassMethodFindFieldsAndMembersDeclaredLater) {
  auto program = Parse(
      "Class Counter\n"
      "  Sub Bump : count_ = count_ + Step : End Sub\n"
      "  Private count_\n"
      "  Property Get Step : Step = 1 : End Property\n"
      "End Class");
  const ClassDecl& decl = *program->classes[0];
  const ProcedureDecl& bump = *decl.methods.at("bump");
  const auto& assign = static_cast<const AssignStmt&>(*bump.body[0]);
  const auto& field = static_cast<const NameExpr&>(*assign.target);
  EXPECT_EQ(field.binding, Binding::kMember);
  EXPECT_EQ(field.slot, 0);
  const NameExpr* step = FindName(assign.value.get(), "step");
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(step->binding, Binding::kMember);
  EXPECT_EQ(step->slot, -1);
}

// The tree of an expression with every operation in brackets: "a + b * c" is "(a + (b * c))".
std::string Shape(const Expr& expr) {
  static const char* const kNames[] = {"+",  "-",   "*",   "/",   "\\",  "Mod", "^",  "&",
                                       "=",  "<>",  "<",   ">",   "<=",  ">=",  "Is", "And",
                                       "Or", "Xor", "Eqv", "Imp", "Not", "-",   "+"};
  if (expr.kind == ExprKind::kBinary) {
    const auto& binary = static_cast<const BinaryExpr&>(expr);
    return "(" + Shape(*binary.left) + " " + kNames[static_cast<int>(binary.op)] + " " +
           Shape(*binary.right) + ")";
  }
  if (expr.kind == ExprKind::kUnary) {
    const auto& unary = static_cast<const UnaryExpr&>(expr);
    return std::string("(") + kNames[static_cast<int>(unary.op)] +
           (unary.op == Op::kNot ? " " : "") + Shape(*unary.operand) + ")";
  }
  if (expr.kind == ExprKind::kName) return static_cast<const NameExpr&>(expr).display;
  return "?";
}

std::string ShapeOf(const std::string& code) {
  auto source = std::make_shared<SourceText>();
  source->text = code;
  return Shape(*Parser(source, false).ParseExpressionOnly());
}

// Each level against the next one down, both ways round, and each level read left to right.
TEST(Parser, EachOperatorBindsAsTightAsItsLevel) {
  const struct {
    const char* code;
    const char* shape;
  } cases[] = {
      {"a Imp b Eqv c", "(a Imp (b Eqv c))"},
      {"a Eqv b Imp c", "((a Eqv b) Imp c)"},
      {"a Eqv b Xor c", "(a Eqv (b Xor c))"},
      {"a Xor b Or c", "(a Xor (b Or c))"},
      {"a Or b And c", "(a Or (b And c))"},
      {"a And b Or c", "((a And b) Or c)"},
      {"a And Not b", "(a And (Not b))"},
      {"Not a And b", "((Not a) And b)"},
      {"Not Not a", "(Not (Not a))"},
      {"Not a = b", "(Not (a = b))"},
      {"a = b & c", "(a = (b & c))"},
      {"a Is b = c", "((a Is b) = c)"},
      {"a < b <> c >= d", "(((a < b) <> c) >= d)"},
      {"a & b + c", "(a & (b + c))"},
      {"a + b & c", "((a + b) & c)"},
      {"a - b + c", "((a - b) + c)"},
      {"a + b Mod c", "(a + (b Mod c))"},
      {"a Mod b \\ c", "(a Mod (b \\ c))"},
      {"a \\ b Mod c", "((a \\ b) Mod c)"},
      {"a \\ b * c", "(a \\ (b * c))"},
      {"a / b * c", "((a / b) * c)"},
      {"a * b ^ c", "(a * (b ^ c))"},
      {"a ^ b ^ c", "((a ^ b) ^ c)"},
      {"-a ^ b", "((-a) ^ b)"},
      {"a ^ -b", "(a ^ (-b))"},
      {"a * -b", "(a * (-b))"},
      {"- -a", "(-(-a))"},
      {"A MOD B", "(A Mod B)"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShapeOf(c.code), c.shape) << c.code;
}

// Every binary operator needs its right side, at whichever level it stands.
TEST(Parser, AnOperatorWithoutItsRightSideIsAnError) {
  for (const char* code : {"a +", "a And", "Not", "a Mod", "a ="}) {
    EXPECT_THROW(ShapeOf(code), CompileError) << code;
  }
}

TEST(Lexer, ContinuationsAndCommentsVanishAndPositionsStayTrue) {
  auto tokens = Lexer("x = 1 + _\n  2 ' note\nRem all of this\n  y").Tokenize();
  std::vector<std::string> kinds;
  for (const auto& token : tokens) {
    if (token.kind == TokenKind::kEndOfStatement) kinds.push_back(token.text == "\n" ? "NL" : ":");
    if (token.kind == TokenKind::kIdentifier) kinds.push_back(token.text);
    if (token.kind == TokenKind::kLiteral) kinds.push_back(token.value.Text());
    if (token.kind == TokenKind::kOperator) kinds.push_back(token.text);
  }
  EXPECT_EQ(kinds, std::vector<std::string>({"x", "=", "1", "+", "2", "NL", "y", "NL"}));
  const Token& y = tokens[tokens.size() - 3];
  EXPECT_EQ(y.text, "y");
  EXPECT_EQ(y.line, 4);
  EXPECT_EQ(y.column, 3);
}

TEST(Lexer, BadTextIsACompilationErrorAtItsPlace) {
  try {
    Lexer("ok = 1\nx = \"open").Tokenize();
    FAIL() << "no error";
  } catch (const CompileError& error) {
    EXPECT_EQ(error.number, 1033);
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.column, 5);
  }
}

}  // namespace
}  // namespace quillon::vbscript
