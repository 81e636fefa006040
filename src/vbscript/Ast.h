#pragma once
// The syntax tree the parser builds and the interpreter walks. Names are kept in lower case
// (VBScript compares them without regard to case) beside the spelling the author used, which
// error messages show. A name's binding (a local slot, a member of the class, or a global looked
// up at run time) is settled by the parser once the whole procedure is read.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ScriptValue.h"

namespace quillon::vbscript {

struct ClassDecl;
struct Variable;

enum class Op : uint8_t {
  kAdd,
  kSub,
  kMul,
  kDiv,
  kIntDiv,
  kMod,
  kPow,
  kConcat,
  kEq,
  kNe,
  kLt,
  kGt,
  kLe,
  kGe,
  kIs,
  kAnd,
  kOr,
  kXor,
  kEqv,
  kImp,
  kNot,
  kNeg,
  kPlus,
};

enum class ExprKind : uint8_t { kLiteral, kName, kMember, kCall, kUnary, kBinary, kNew, kMe };

struct Expr {
  explicit Expr(ExprKind k) : kind(k) {}
  virtual ~Expr() = default;
  ExprKind kind;
  // "(x)" passes x by value even to a ByRef parameter.
  bool parenthesized = false;
  int line = 0;
  int column = 0;
};
using ExprPtr = std::unique_ptr<Expr>;

struct LiteralExpr : Expr {
  LiteralExpr() : Expr(ExprKind::kLiteral) {}
  platform::ScriptValue value;
};

enum class Binding : uint8_t {
  kGlobal,   // looked up in the global scope at run time (and cached once it is a variable)
  kLocal,    // a slot of the running procedure
  kMember,   // a field (slot >= 0) or a procedure (slot -1) of the class whose code this is
  kDynamic,  // code run by Execute inside a procedure: the procedure's names by name, then global
};

struct NameExpr : Expr {
  NameExpr() : Expr(ExprKind::kName) {}
  std::string name;  // lower case
  std::string display;
  Binding binding = Binding::kGlobal;
  int slot = -1;
  // Followed by an argument group: inside a Function its own name so used is a recursive call,
  // not the return value.
  bool called = false;
  // The global variable this name was found to be; globals live as long as the engine.
  mutable Variable* cached = nullptr;
};

struct MemberExpr : Expr {
  MemberExpr() : Expr(ExprKind::kMember) {}
  ExprPtr object;  // null: the object of the innermost With
  std::string name;
  std::string display;
};

// "f(a, b)": a call, an array element or an object's default member, told apart at run time.
struct CallExpr : Expr {
  CallExpr() : Expr(ExprKind::kCall) {}
  ExprPtr callee;
  std::vector<ExprPtr> args;  // a null entry is an omitted argument: f(1, , 3)
};

struct UnaryExpr : Expr {
  UnaryExpr() : Expr(ExprKind::kUnary) {}
  Op op = Op::kNeg;
  ExprPtr operand;
};

struct BinaryExpr : Expr {
  BinaryExpr() : Expr(ExprKind::kBinary) {}
  Op op = Op::kAdd;
  ExprPtr left;
  ExprPtr right;
};

struct NewExpr : Expr {
  NewExpr() : Expr(ExprKind::kNew) {}
  std::string name;
  std::string display;
};

struct MeExpr : Expr {
  MeExpr() : Expr(ExprKind::kMe) {}
};

enum class StmtKind : uint8_t {
  kCall,
  kAssign,
  kDim,
  kReDim,
  kConst,
  kIf,
  kSelect,
  kFor,
  kForEach,
  kDo,
  kExit,
  kOnError,
  kWith,
  kErase,
  kNothing,
};

struct Stmt {
  explicit Stmt(StmtKind k) : kind(k) {}
  virtual ~Stmt() = default;
  StmtKind kind;
  int line = 0;
  int column = 0;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct CallStmt : Stmt {
  CallStmt() : Stmt(StmtKind::kCall) {}
  ExprPtr call;  // a NameExpr, MemberExpr or CallExpr
};

struct AssignStmt : Stmt {
  AssignStmt() : Stmt(StmtKind::kAssign) {}
  ExprPtr target;
  ExprPtr value;
  bool is_set = false;
};

struct DimItem {
  std::unique_ptr<NameExpr> target;
  bool is_array = false;        // parentheses followed the name
  std::vector<ExprPtr> bounds;  // empty with is_array: a dynamic array
};

struct DimStmt : Stmt {
  DimStmt() : Stmt(StmtKind::kDim) {}
  std::vector<DimItem> items;
};

struct ReDimItem {
  ExprPtr target;
  std::vector<ExprPtr> bounds;
};

struct ReDimStmt : Stmt {
  ReDimStmt() : Stmt(StmtKind::kReDim) {}
  bool preserve = false;
  std::vector<ReDimItem> items;
};

struct ConstItem {
  std::unique_ptr<NameExpr> target;
  ExprPtr value;
};

struct ConstStmt : Stmt {
  ConstStmt() : Stmt(StmtKind::kConst) {}
  std::vector<ConstItem> items;
};

struct IfBranch {
  ExprPtr condition;
  Block body;
};

struct IfStmt : Stmt {
  IfStmt() : Stmt(StmtKind::kIf) {}
  std::vector<IfBranch> branches;
  Block else_body;
};

struct CaseItem {
  enum class Kind : uint8_t { kValue, kRange, kIs } kind = Kind::kValue;
  Op op = Op::kEq;  // for kIs
  ExprPtr value;
  ExprPtr high;  // for kRange
};

struct CaseClause {
  std::vector<CaseItem> items;  // empty: Case Else
  Block body;
};

struct SelectStmt : Stmt {
  SelectStmt() : Stmt(StmtKind::kSelect) {}
  ExprPtr subject;
  std::vector<CaseClause> clauses;
};

struct ForStmt : Stmt {
  ForStmt() : Stmt(StmtKind::kFor) {}
  std::unique_ptr<NameExpr> variable;
  ExprPtr from;
  ExprPtr to;
  ExprPtr step;  // null: 1
  Block body;
};

struct ForEachStmt : Stmt {
  ForEachStmt() : Stmt(StmtKind::kForEach) {}
  std::unique_ptr<NameExpr> variable;
  ExprPtr collection;
  Block body;
};

struct DoStmt : Stmt {
  DoStmt() : Stmt(StmtKind::kDo) {}
  ExprPtr condition;  // null: loop until Exit Do
  bool test_first = true;
  bool until = false;
  Block body;
};

enum class ExitKind : uint8_t { kDo, kFor, kProcedure };

struct ExitStmt : Stmt {
  ExitStmt() : Stmt(StmtKind::kExit) {}
  ExitKind what = ExitKind::kDo;
};

struct OnErrorStmt : Stmt {
  OnErrorStmt() : Stmt(StmtKind::kOnError) {}
  bool resume_next = false;
};

struct WithStmt : Stmt {
  WithStmt() : Stmt(StmtKind::kWith) {}
  ExprPtr object;
  Block body;
};

struct EraseStmt : Stmt {
  EraseStmt() : Stmt(StmtKind::kErase) {}
  ExprPtr target;
};

// The code handed to one ExecuteStatement (or Execute, Eval) call; error reports quote its lines.
struct SourceText {
  std::string text;
  std::string Line(int line) const;
};

enum class ProcKind : uint8_t { kSub, kFunction, kPropertyGet, kPropertyLet, kPropertySet };

struct Param {
  std::string name;
  std::string display;
  bool by_ref = true;  // VBScript passes by reference unless told otherwise
};

struct ProcedureDecl {
  ProcKind kind = ProcKind::kSub;
  std::string name;
  std::string display;
  std::vector<Param> params;
  Block body;
  // Slot 0 holds the return value, slots 1..n the parameters, then the Dim'd locals.
  std::unordered_map<std::string, int> locals;
  int slot_count = 1;
  bool is_public = true;
  bool is_default = false;
  const ClassDecl* owner = nullptr;
  bool option_explicit = false;
  std::shared_ptr<const SourceText> source;
  int line = 0;
};

struct FieldDecl {
  std::string name;
  std::string display;
  bool is_public = false;
  bool is_array = false;
  std::vector<ExprPtr> bounds;
};

struct ClassDecl {
  std::string name;
  std::string display;
  std::vector<FieldDecl> fields;
  std::unordered_map<std::string, int> field_index;
  std::unordered_map<std::string, ProcedureDecl*> methods;  // Sub and Function
  std::unordered_map<std::string, ProcedureDecl*> getters;
  std::unordered_map<std::string, ProcedureDecl*> letters;
  std::unordered_map<std::string, ProcedureDecl*> setters;
  std::vector<std::unique_ptr<ProcedureDecl>> procedures;
  ProcedureDecl* initialize = nullptr;
  ProcedureDecl* terminate = nullptr;
  std::string default_member;  // lower case; empty when the class has none
};

struct Program {
  std::shared_ptr<const SourceText> source;
  Block body;
  std::vector<std::unique_ptr<ProcedureDecl>> procedures;
  std::vector<std::unique_ptr<ClassDecl>> classes;
  bool option_explicit = false;
};

}  // namespace quillon::vbscript
