#pragma once
// Reads tokens into a Program (statements, procedures, classes) or a single expression.
// Procedures and classes are collected apart from the statements, since a script may call a
// procedure that it defines further down.
#include <memory>
#include <string_view>
#include <vector>

#include "vbscript/Ast.h"
#include "vbscript/Token.h"

namespace quillon::vbscript {

class Parser {
 public:
  // With `dynamic_names`, names in the top-level code are looked up by name at run time in the
  // running procedure first (code run by Execute inside a procedure).
  Parser(std::shared_ptr<const SourceText> source, bool dynamic_names);

  // Both throw CompileError.
  std::unique_ptr<Program> ParseProgram();
  ExprPtr ParseExpressionOnly();

 private:
  const Token& Current() const { return tokens_[pos_]; }
  const Token& PeekToken(size_t ahead = 1) const;
  bool AtEndOfStatement() const;
  bool AtEndOfBlock() const;
  bool AtPropertyDeclaration() const;
  bool AtDefaultModifier() const;
  bool AtWord(const char* word) const { return Current().IsWord(word); }
  bool AtOp(const char* op) const { return Current().Is(op); }
  bool AcceptWord(const char* word);
  bool AcceptOp(const char* op);
  void ExpectWord(const char* word, int error);
  void ExpectOp(const char* op, int error);
  void ExpectEndOfStatement();
  void SkipEndsOfStatement();
  [[noreturn]] void Fail(int number) const;
  [[noreturn]] void Fail(int number, const Token& at) const;
  const Token& ExpectName();
  void Enter();
  void Leave() { --depth_; }

  // Statements. `in_class` limits what may stand in a class body.
  void ParseTopLevel(Program& program);
  Block ParseBlock();
  bool AtBlockEnd() const;
  StmtPtr ParseStatement();
  StmtPtr ParseSimpleStatement();
  void ParseSingleLineBody(Block& body);
  StmtPtr ParseDim(bool allow_bounds_only_constants);
  StmtPtr ParseReDim();
  StmtPtr ParseConst();
  StmtPtr ParseIf();
  StmtPtr ParseSelect();
  StmtPtr ParseFor();
  StmtPtr ParseDo();
  StmtPtr ParseWhile();
  StmtPtr ParseExit();
  StmtPtr ParseOnError();
  StmtPtr ParseWith();
  StmtPtr ParseErase();
  StmtPtr ParseSet();
  StmtPtr ParseCallOrAssign();
  std::unique_ptr<ProcedureDecl> ParseProcedure(bool is_public, bool is_default);
  StmtPtr ParseNestedProcedure(bool is_public);
  std::unique_ptr<ClassDecl> ParseClass();
  void ParseClassMember(ClassDecl& decl);
  void ResolveNames(ProcedureDecl& proc, const std::vector<NameExpr*>& names);

  // Expressions: a whole one, then one level of the precedence table (0 the loosest) and all
  // that binds tighter; a Case value stops before the comparisons; a sign and its operand.
  ExprPtr ParseExpression();
  ExprPtr ParseLevel(size_t level);
  ExprPtr ParseCaseValue();
  ExprPtr ParsePowerOperand();
  ExprPtr ParsePrimary();
  // A name followed by ".member" and "(arguments)" groups. Stops before the token at
  // `stop_at` (used to back up over a statement call's first argument); records where the last
  // argument group began in `last_group`.
  ExprPtr ParsePostfix(size_t stop_at, size_t* last_group);
  std::vector<ExprPtr> ParseArguments();
  std::unique_ptr<NameExpr> MakeName(const Token& token);
  ExprPtr MakeBinary(Op op, ExprPtr left, ExprPtr right, const Token& at);

  std::shared_ptr<const SourceText> source_;
  std::vector<Token> tokens_;
  size_t pos_ = 0;
  bool dynamic_names_ = false;
  int depth_ = 0;
  Program* program_ = nullptr;          // the program being read (none for an expression)
  ProcedureDecl* procedure_ = nullptr;  // the procedure being read
  ClassDecl* class_ = nullptr;          // the class being read
  int single_line_if_ = 0;              // inside a one-line If, "Else" also ends a statement
  // Names met inside the procedure being read, bound once its locals are all known.
  std::vector<NameExpr*> names_;
  // Class procedures are bound when the whole class is read, as they may use later members.
  std::vector<std::pair<ProcedureDecl*, std::vector<NameExpr*>>> class_pending_;
};

}  // namespace quillon::vbscript
