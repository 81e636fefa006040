#include "vbscript/Parser.h"

#include <iterator>
#include <limits>
#include <string_view>

#include "vbscript/CompileError.h"
#include "vbscript/Lexer.h"

namespace quillon::vbscript {
namespace {

constexpr size_t kNoGroup = std::numeric_limits<size_t>::max();
// Nesting deeper than this (parentheses, blocks) is refused before it can exhaust the stack of
// the parser or, later, of the interpreter.
constexpr int kMaxNesting = 120;

bool IsReserved(std::string_view word) {
  static constexpr std::string_view kReserved[] = {
      "and",    "byref",    "byval",  "call",    "case", "class", "const",  "dim",  "do",
      "each",   "else",     "elseif", "empty",   "end",  "eqv",   "erase",  "exit", "false",
      "for",    "function", "if",     "imp",     "in",   "is",    "loop",   "me",   "mod",
      "new",    "next",     "not",    "nothing", "null", "on",    "option", "or",   "private",
      "public", "redim",    "select", "set",     "sub",  "then",  "to",     "true", "until",
      "wend",   "while",    "with",   "xor"};
  for (auto reserved : kReserved) {
    if (word == reserved) return true;
  }
  return false;
}

template <typename T, typename... Args>
std::unique_ptr<T> At(const Token& token, Args... args) {
  auto node = std::make_unique<T>(args...);
  node->line = token.line;
  node->column = token.column;
  return node;
}

}  // namespace

Parser::Parser(std::shared_ptr<const SourceText> source, bool dynamic_names)
    : source_(std::move(source)), dynamic_names_(dynamic_names) {
  tokens_ = Lexer(source_->text).Tokenize();
}

const Token& Parser::PeekToken(size_t ahead) const {
  size_t index = pos_ + ahead;
  return index < tokens_.size() ? tokens_[index] : tokens_.back();
}

bool Parser::AtEndOfStatement() const {
  const Token& token = Current();
  if (token.kind == TokenKind::kEndOfStatement || token.kind == TokenKind::kEnd) return true;
  if (AtEndOfBlock()) return true;
  return single_line_if_ > 0 && token.IsWord("else");
}

bool Parser::AtEndOfBlock() const {
  // "End If", "End Sub" and the like close the statement before them even with no separator
  // ("F = x)End Function", "Public x End Class"), as scripts in the wild are written.
  if (!AtWord("end")) return false;
  const Token& next = PeekToken();
  if (next.kind != TokenKind::kIdentifier) return false;
  static constexpr std::string_view kBlocks[] = {"if",       "sub",    "function", "class",
                                                 "property", "select", "with"};
  for (auto word : kBlocks) {
    if (next.lower == word) return true;
  }
  return false;
}

bool Parser::AtPropertyDeclaration() const {
  // "Property" is an ordinary name unless Get, Let or Set follows it.
  if (!AtWord("property")) return false;
  const Token& next = PeekToken();
  return next.IsWord("get") || next.IsWord("let") || next.IsWord("set");
}

bool Parser::AtDefaultModifier() const {
  // "Default" marks a member only in front of a declaration; "default = 1" assigns a variable.
  return AtWord("default") && PeekToken().kind == TokenKind::kIdentifier;
}

bool Parser::AcceptWord(const char* word) {
  if (!AtWord(word)) return false;
  ++pos_;
  return true;
}

bool Parser::AcceptOp(const char* op) {
  if (!AtOp(op)) return false;
  ++pos_;
  return true;
}

void Parser::ExpectWord(const char* word, int error) {
  if (!AcceptWord(word)) Fail(error);
}

void Parser::ExpectOp(const char* op, int error) {
  if (!AcceptOp(op)) Fail(error);
}

void Parser::ExpectEndOfStatement() {
  if (!AtEndOfStatement()) Fail(1025);
}

void Parser::SkipEndsOfStatement() {
  while (Current().kind == TokenKind::kEndOfStatement) ++pos_;
}

void Parser::Fail(int number) const { Fail(number, Current()); }

void Parser::Fail(int number, const Token& at) const {
  throw CompileError{number, at.line, at.column, {}};
}

const Token& Parser::ExpectName() {
  const Token& token = Current();
  if (token.kind != TokenKind::kIdentifier || IsReserved(token.lower)) Fail(1010);
  ++pos_;
  return token;
}

void Parser::Enter() {
  if (++depth_ > kMaxNesting) Fail(28);
}

// Entering a nested construct; the guard undoes the count on every way out, throws included.
struct NestingGuard {
  explicit NestingGuard(int& depth) : depth_(depth) {}
  ~NestingGuard() { --depth_; }
  int& depth_;
};

std::unique_ptr<NameExpr> Parser::MakeName(const Token& token) {
  auto name = At<NameExpr>(token);
  name->name = token.lower;
  name->display = token.text;
  if (procedure_ != nullptr) {
    names_.push_back(name.get());
  } else if (dynamic_names_) {
    name->binding = Binding::kDynamic;
  }
  return name;
}

ExprPtr Parser::MakeBinary(Op op, ExprPtr left, ExprPtr right, const Token& at) {
  auto node = At<BinaryExpr>(at);
  node->op = op;
  node->left = std::move(left);
  node->right = std::move(right);
  return node;
}

std::unique_ptr<Program> Parser::ParseProgram() {
  auto program = std::make_unique<Program>();
  program->source = source_;
  program_ = program.get();
  ParseTopLevel(*program);
  program_ = nullptr;
  return program;
}

ExprPtr Parser::ParseExpressionOnly() {
  SkipEndsOfStatement();
  ExprPtr expr = ParseExpression();
  SkipEndsOfStatement();
  if (Current().kind != TokenKind::kEnd) Fail(1025);
  return expr;
}

void Parser::ParseTopLevel(Program& program) {
  SkipEndsOfStatement();
  while (Current().kind != TokenKind::kEnd) {
    if (AcceptWord("option")) {
      ExpectWord("explicit", 1002);
      program.option_explicit = true;
    } else {
      size_t start = pos_;
      bool is_public = true;
      bool is_default = false;
      if (AtWord("public") || AtWord("private")) {
        is_public = AtWord("public");
        ++pos_;
      }
      if (AtDefaultModifier()) {
        ++pos_;
        is_default = true;
      }
      if (AtWord("sub") || AtWord("function") || AtPropertyDeclaration()) {
        if (AtWord("property")) Fail(1048);
        program.procedures.push_back(ParseProcedure(is_public, is_default));
      } else if (AtWord("class")) {
        program.classes.push_back(ParseClass());
      } else {
        if (is_default) Fail(1056);
        pos_ = start;
        program.body.push_back(ParseStatement());
      }
    }
    ExpectEndOfStatement();
    SkipEndsOfStatement();
  }
}

bool Parser::AtBlockEnd() const {
  const Token& token = Current();
  if (token.kind == TokenKind::kEnd) return true;
  if (token.kind != TokenKind::kIdentifier) return false;
  static constexpr std::string_view kEnders[] = {"end",  "else", "elseif", "loop",
                                                 "next", "wend", "case"};
  for (auto word : kEnders) {
    if (token.lower == word) return true;
  }
  return false;
}

Block Parser::ParseBlock() {
  Enter();
  NestingGuard guard(depth_);
  Block block;
  while (true) {
    SkipEndsOfStatement();
    if (AtBlockEnd()) break;
    block.push_back(ParseStatement());
    ExpectEndOfStatement();
  }
  return block;
}

StmtPtr Parser::ParseStatement() {
  const Token& token = Current();
  if (token.kind != TokenKind::kIdentifier) {
    if (token.Is(".")) return ParseCallOrAssign();
    Fail(1024);
  }
  const std::string& word = token.lower;
  if (word == "dim") {
    ++pos_;
    return ParseDim(false);
  }
  if (word == "public" || word == "private") {
    if (procedure_ != nullptr) Fail(1024);
    ++pos_;
    if (AtWord("const")) return ParseConst();
    if (AtWord("sub") || AtWord("function")) return ParseNestedProcedure(word == "public");
    return ParseDim(false);
  }
  if (word == "stop") {
    // The debugger's breakpoint: with no debugger attached it does nothing.
    ++pos_;
    if (AtEndOfStatement()) return At<Stmt>(token, StmtKind::kNothing);
    --pos_;
  }
  if (word == "redim") return ParseReDim();
  if (word == "const") return ParseConst();
  if (word == "if") return ParseIf();
  if (word == "select") return ParseSelect();
  if (word == "for") return ParseFor();
  if (word == "do") return ParseDo();
  if (word == "while") return ParseWhile();
  if (word == "exit") return ParseExit();
  if (word == "on") return ParseOnError();
  if (word == "with") return ParseWith();
  if (word == "erase") return ParseErase();
  if (word == "set") return ParseSet();
  if (word == "let" && PeekToken().kind == TokenKind::kIdentifier) {
    ++pos_;
    return ParseCallOrAssign();
  }
  if (word == "call") {
    ++pos_;
    auto stmt = At<CallStmt>(token);
    stmt->call = ParsePostfix(kNoGroup, nullptr);
    if (stmt->call->kind != ExprKind::kName && stmt->call->kind != ExprKind::kMember &&
        stmt->call->kind != ExprKind::kCall)
      Fail(1024, token);
    return stmt;
  }
  if (word == "sub" || word == "function") return ParseNestedProcedure(true);
  if (word == "class" || AtPropertyDeclaration()) Fail(1024);
  if (word == "loop") Fail(1038);
  if (word == "next") Fail(1055);
  if (IsReserved(word)) Fail(1024);
  return ParseCallOrAssign();
}

StmtPtr Parser::ParseCallOrAssign() {
  const Token& first = Current();
  size_t start = pos_;
  size_t names_mark = names_.size();
  size_t last_group = kNoGroup;
  ExprPtr target = ParsePostfix(kNoGroup, &last_group);
  if (target->kind != ExprKind::kName && target->kind != ExprKind::kMember &&
      target->kind != ExprKind::kCall)
    Fail(1024, first);
  if (AcceptOp("=")) {
    auto stmt = At<AssignStmt>(first);
    stmt->target = std::move(target);
    stmt->value = ParseExpression();
    return stmt;
  }
  auto stmt = At<CallStmt>(first);
  if (AtEndOfStatement()) {
    // "Foo(a, b)" as a statement would pass a parenthesised list, which VBScript refuses.
    if (target->kind == ExprKind::kCall && last_group != kNoGroup) {
      auto& args = static_cast<CallExpr*>(target.get())->args;
      if (args.size() > 1) Fail(1044, first);
      // "Foo (x)": the parentheses belong to the argument, which goes by value.
      if (args.size() == 1 && args[0]) args[0]->parenthesized = true;
    }
    stmt->call = std::move(target);
    return stmt;
  }
  if (last_group != kNoGroup) {
    // "Foo (a) + 1, b": the group was the start of the first argument, not an argument list.
    pos_ = start;
    names_.resize(names_mark);
    target = ParsePostfix(last_group, nullptr);
  }
  auto call = At<CallExpr>(first);
  call->callee = std::move(target);
  while (true) {
    if (AtOp(",")) {
      call->args.push_back(nullptr);
    } else {
      call->args.push_back(ParseExpression());
    }
    if (!AcceptOp(",")) break;
    if (AtEndOfStatement()) call->args.push_back(nullptr);
  }
  stmt->call = std::move(call);
  return stmt;
}

StmtPtr Parser::ParseDim(bool) {
  auto stmt = At<DimStmt>(tokens_[pos_ - 1]);
  do {
    const Token& name_token = ExpectName();
    DimItem item;
    item.target = MakeName(name_token);
    if (AcceptOp("(")) {
      item.is_array = true;
      if (!AcceptOp(")")) {
        do {
          item.bounds.push_back(ParseExpression());
        } while (AcceptOp(","));
        ExpectOp(")", 1006);
      }
    }
    if (procedure_ != nullptr && !procedure_->locals.contains(name_token.lower)) {
      procedure_->locals[name_token.lower] = procedure_->slot_count++;
    }
    stmt->items.push_back(std::move(item));
  } while (AcceptOp(","));
  return stmt;
}

StmtPtr Parser::ParseReDim() {
  auto stmt = At<ReDimStmt>(Current());
  ++pos_;
  stmt->preserve = AcceptWord("preserve");
  do {
    const Token& name_token = Current();
    ExprPtr target = ParsePostfix(kNoGroup, nullptr);
    if (target->kind != ExprKind::kCall) Fail(1005, name_token);
    auto* call = static_cast<CallExpr*>(target.get());
    ReDimItem item;
    for (auto& bound : call->args) {
      if (!bound) Fail(1023, name_token);
      item.bounds.push_back(std::move(bound));
    }
    if (item.bounds.empty()) Fail(1023, name_token);
    item.target = std::move(call->callee);
    if (item.target->kind == ExprKind::kName) {
      static_cast<NameExpr*>(item.target.get())->called = false;
    }
    stmt->items.push_back(std::move(item));
  } while (AcceptOp(","));
  return stmt;
}

StmtPtr Parser::ParseConst() {
  auto stmt = At<ConstStmt>(Current());
  ++pos_;
  do {
    const Token& name_token = ExpectName();
    ConstItem item;
    item.target = MakeName(name_token);
    ExpectOp("=", 1011);
    item.value = ParseExpression();
    if (procedure_ != nullptr && !procedure_->locals.contains(name_token.lower)) {
      procedure_->locals[name_token.lower] = procedure_->slot_count++;
    }
    stmt->items.push_back(std::move(item));
  } while (AcceptOp(","));
  return stmt;
}

void Parser::ParseSingleLineBody(Block& body) {
  while (true) {
    const Token& token = Current();
    if (token.kind == TokenKind::kEnd) break;
    if (token.kind == TokenKind::kEndOfStatement) {
      if (token.text != ":") break;
      ++pos_;
      continue;
    }
    if (token.IsWord("else") || AtEndOfBlock()) break;
    body.push_back(ParseStatement());
    if (!AtEndOfStatement()) Fail(1025);
  }
}

StmtPtr Parser::ParseIf() {
  auto stmt = At<IfStmt>(Current());
  ++pos_;
  IfBranch branch;
  branch.condition = ParseExpression();
  ExpectWord("then", 1017);
  if (Current().kind != TokenKind::kEndOfStatement && Current().kind != TokenKind::kEnd) {
    Enter();
    NestingGuard guard(depth_);
    ++single_line_if_;
    ParseSingleLineBody(branch.body);
    stmt->branches.push_back(std::move(branch));
    if (AcceptWord("else")) ParseSingleLineBody(stmt->else_body);
    --single_line_if_;
    // The one-line form may still be closed with "End If" on the same line.
    if (AtWord("end") && PeekToken().IsWord("if")) pos_ += 2;
    return stmt;
  }
  int saved_single_line = single_line_if_;
  single_line_if_ = 0;
  branch.body = ParseBlock();
  stmt->branches.push_back(std::move(branch));
  while (true) {
    if (AcceptWord("elseif")) {
      IfBranch next;
      next.condition = ParseExpression();
      ExpectWord("then", 1017);
      next.body = ParseBlock();
      stmt->branches.push_back(std::move(next));
    } else if (AcceptWord("else")) {
      stmt->else_body = ParseBlock();
      break;
    } else {
      break;
    }
  }
  ExpectWord("end", 1014);
  ExpectWord("if", 1012);
  single_line_if_ = saved_single_line;
  return stmt;
}

StmtPtr Parser::ParseSelect() {
  auto stmt = At<SelectStmt>(Current());
  ++pos_;
  ExpectWord("case", 1021);
  stmt->subject = ParseExpression();
  ExpectEndOfStatement();
  SkipEndsOfStatement();
  int saved_single_line = single_line_if_;
  single_line_if_ = 0;
  bool seen_else = false;
  while (AcceptWord("case")) {
    if (seen_else) Fail(1022);
    CaseClause clause;
    if (AcceptWord("else")) {
      seen_else = true;
    } else {
      do {
        CaseItem item;
        if (AcceptWord("is")) {
          item.kind = CaseItem::Kind::kIs;
          static constexpr std::pair<const char*, Op> kOps[] = {{"=", Op::kEq},  {"<>", Op::kNe},
                                                                {"<", Op::kLt},  {">", Op::kGt},
                                                                {"<=", Op::kLe}, {">=", Op::kGe}};
          bool found = false;
          for (auto [text, op] : kOps) {
            if (AcceptOp(text)) {
              item.op = op;
              found = true;
              break;
            }
          }
          if (!found) Fail(1023);
          item.value = ParseCaseValue();
        } else {
          item.value = ParseExpression();
          if (AcceptWord("to")) {
            item.kind = CaseItem::Kind::kRange;
            item.high = ParseExpression();
          }
        }
        clause.items.push_back(std::move(item));
      } while (AcceptOp(","));
    }
    clause.body = ParseBlock();
    stmt->clauses.push_back(std::move(clause));
  }
  ExpectWord("end", 1014);
  ExpectWord("select", 1022);
  single_line_if_ = saved_single_line;
  return stmt;
}

StmtPtr Parser::ParseFor() {
  const Token& for_token = Current();
  ++pos_;
  int saved_single_line = single_line_if_;
  single_line_if_ = 0;
  StmtPtr result;
  if (AcceptWord("each")) {
    auto stmt = At<ForEachStmt>(for_token);
    stmt->variable = MakeName(ExpectName());
    ExpectWord("in", 1046);
    stmt->collection = ParseExpression();
    stmt->body = ParseBlock();
    ExpectWord("next", 1020);
    result = std::move(stmt);
  } else {
    auto stmt = At<ForStmt>(for_token);
    stmt->variable = MakeName(ExpectName());
    ExpectOp("=", 1011);
    stmt->from = ParseExpression();
    ExpectWord("to", 1013);
    stmt->to = ParseExpression();
    if (AcceptWord("step")) stmt->step = ParseExpression();
    stmt->body = ParseBlock();
    ExpectWord("next", 1020);
    result = std::move(stmt);
  }
  if (Current().kind == TokenKind::kIdentifier && !AtEndOfStatement()) ExpectName();
  single_line_if_ = saved_single_line;
  return result;
}

StmtPtr Parser::ParseDo() {
  auto stmt = At<DoStmt>(Current());
  ++pos_;
  int saved_single_line = single_line_if_;
  single_line_if_ = 0;
  if (AtWord("while") || AtWord("until")) {
    stmt->until = AtWord("until");
    ++pos_;
    stmt->condition = ParseExpression();
    stmt->test_first = true;
  }
  stmt->body = ParseBlock();
  ExpectWord("loop", 1019);
  if (AtWord("while") || AtWord("until")) {
    if (stmt->condition) Fail(1025);
    stmt->until = AtWord("until");
    ++pos_;
    stmt->condition = ParseExpression();
    stmt->test_first = false;
  }
  single_line_if_ = saved_single_line;
  return stmt;
}

StmtPtr Parser::ParseWhile() {
  auto stmt = At<DoStmt>(Current());
  ++pos_;
  int saved_single_line = single_line_if_;
  single_line_if_ = 0;
  stmt->condition = ParseExpression();
  stmt->body = ParseBlock();
  ExpectWord("wend", 1018);
  single_line_if_ = saved_single_line;
  return stmt;
}

StmtPtr Parser::ParseExit() {
  auto stmt = At<ExitStmt>(Current());
  ++pos_;
  if (AcceptWord("do")) {
    stmt->what = ExitKind::kDo;
  } else if (AcceptWord("for")) {
    stmt->what = ExitKind::kFor;
  } else if (AtWord("sub") || AtWord("function") || AtWord("property")) {
    ProcKind kind = procedure_ ? procedure_->kind : ProcKind::kSub;
    bool matches =
        procedure_ != nullptr &&
        (AtWord("sub")        ? kind == ProcKind::kSub
         : AtWord("function") ? kind == ProcKind::kFunction
                              : kind == ProcKind::kPropertyGet || kind == ProcKind::kPropertyLet ||
                                    kind == ProcKind::kPropertySet);
    if (!matches) Fail(1039);
    ++pos_;
    stmt->what = ExitKind::kProcedure;
  } else {
    Fail(1039);
  }
  return stmt;
}

StmtPtr Parser::ParseOnError() {
  auto stmt = At<OnErrorStmt>(Current());
  ++pos_;
  ExpectWord("error", 1002);
  if (AcceptWord("resume")) {
    ExpectWord("next", 1002);
    stmt->resume_next = true;
  } else if (AcceptWord("goto")) {
    const Token& target = Current();
    if (target.kind != TokenKind::kLiteral ||
        target.value.Type() != platform::ScriptType::kInteger || target.value.IntegerValue() != 0)
      Fail(1002);
    ++pos_;
  } else {
    Fail(1002);
  }
  return stmt;
}

StmtPtr Parser::ParseWith() {
  auto stmt = At<WithStmt>(Current());
  ++pos_;
  int saved_single_line = single_line_if_;
  single_line_if_ = 0;
  stmt->object = ParseExpression();
  ExpectEndOfStatement();
  stmt->body = ParseBlock();
  ExpectWord("end", 1014);
  ExpectWord("with", 1029);
  single_line_if_ = saved_single_line;
  return stmt;
}

StmtPtr Parser::ParseErase() {
  auto stmt = At<EraseStmt>(Current());
  ++pos_;
  stmt->target = ParsePostfix(kNoGroup, nullptr);
  return stmt;
}

StmtPtr Parser::ParseSet() {
  auto stmt = At<AssignStmt>(Current());
  ++pos_;
  stmt->is_set = true;
  stmt->target = ParsePostfix(kNoGroup, nullptr);
  if (stmt->target->kind != ExprKind::kName && stmt->target->kind != ExprKind::kMember &&
      stmt->target->kind != ExprKind::kCall)
    Fail(1010);
  ExpectOp("=", 1011);
  stmt->value = ParseExpression();
  return stmt;
}

std::unique_ptr<ProcedureDecl> Parser::ParseProcedure(bool is_public, bool is_default) {
  auto proc = std::make_unique<ProcedureDecl>();
  proc->line = Current().line;
  const char* end_word = "sub";
  if (AcceptWord("sub")) {
    proc->kind = ProcKind::kSub;
  } else if (AcceptWord("function")) {
    proc->kind = ProcKind::kFunction;
    end_word = "function";
  } else {
    ExpectWord("property", 1050);
    end_word = "property";
    if (AcceptWord("get")) {
      proc->kind = ProcKind::kPropertyGet;
    } else if (AcceptWord("let")) {
      proc->kind = ProcKind::kPropertyLet;
    } else if (AcceptWord("set")) {
      proc->kind = ProcKind::kPropertySet;
    } else {
      Fail(1049);
    }
  }
  if (procedure_ != nullptr) Fail(1024);
  const Token& name_token = ExpectName();
  proc->name = name_token.lower;
  proc->display = name_token.text;
  proc->is_public = is_public;
  proc->is_default = is_default;
  proc->owner = class_;
  proc->source = source_;
  if (proc->kind == ProcKind::kFunction || proc->kind == ProcKind::kPropertyGet) {
    proc->locals[proc->name] = 0;
  }
  if (AcceptOp("(")) {
    if (!AcceptOp(")")) {
      do {
        Param param;
        if (AcceptWord("byval")) {
          param.by_ref = false;
        } else {
          AcceptWord("byref");
        }
        const Token& param_token = ExpectName();
        param.name = param_token.lower;
        param.display = param_token.text;
        if (AcceptOp("(")) ExpectOp(")", 1006);
        if (proc->locals.contains(param.name) && proc->locals[param.name] != 0) Fail(1041);
        proc->locals[param.name] = static_cast<int>(proc->params.size()) + 1;
        proc->params.push_back(std::move(param));
      } while (AcceptOp(","));
      ExpectOp(")", 1006);
    }
  }
  proc->slot_count = static_cast<int>(proc->params.size()) + 1;
  if ((proc->kind == ProcKind::kPropertyLet || proc->kind == ProcKind::kPropertySet) &&
      proc->params.empty())
    Fail(1054);
  ExpectEndOfStatement();

  procedure_ = proc.get();
  int saved_single_line = single_line_if_;
  single_line_if_ = 0;
  proc->body = ParseBlock();
  ExpectWord("end", 1014);
  ExpectWord(end_word, proc->kind == ProcKind::kSub        ? 1016
                       : proc->kind == ProcKind::kFunction ? 1015
                                                           : 1050);
  single_line_if_ = saved_single_line;
  procedure_ = nullptr;
  if (class_ != nullptr) {
    class_pending_.emplace_back(proc.get(), std::move(names_));
  } else {
    ResolveNames(*proc, names_);
  }
  names_.clear();
  return proc;
}

StmtPtr Parser::ParseNestedProcedure(bool is_public) {
  // A Sub or Function written inside a block of top-level code (an If, a loop) is defined with
  // the program's other procedures, whether or not the block runs.
  const Token& at = Current();
  if (procedure_ != nullptr || class_ != nullptr || program_ == nullptr) Fail(1024);
  program_->procedures.push_back(ParseProcedure(is_public, false));
  return At<Stmt>(at, StmtKind::kNothing);
}

void Parser::ResolveNames(ProcedureDecl& proc, const std::vector<NameExpr*>& names) {
  const ClassDecl* owner = proc.owner;
  for (NameExpr* name : names) {
    auto local = proc.locals.find(name->name);
    if (local != proc.locals.end() && !(local->second == 0 && name->called)) {
      name->binding = Binding::kLocal;
      name->slot = local->second;
      continue;
    }
    if (owner != nullptr) {
      auto field = owner->field_index.find(name->name);
      if (field != owner->field_index.end()) {
        name->binding = Binding::kMember;
        name->slot = field->second;
        continue;
      }
      if (owner->methods.contains(name->name) || owner->getters.contains(name->name) ||
          owner->letters.contains(name->name) || owner->setters.contains(name->name)) {
        name->binding = Binding::kMember;
        name->slot = -1;
        continue;
      }
    }
    name->binding = dynamic_names_ ? Binding::kDynamic : Binding::kGlobal;
  }
}

std::unique_ptr<ClassDecl> Parser::ParseClass() {
  ++pos_;
  if (class_ != nullptr || procedure_ != nullptr) Fail(1024);
  const Token& name_token = ExpectName();
  auto decl = std::make_unique<ClassDecl>();
  decl->name = name_token.lower;
  decl->display = name_token.text;
  ExpectEndOfStatement();
  class_ = decl.get();
  while (true) {
    SkipEndsOfStatement();
    if (AtWord("end") || Current().kind == TokenKind::kEnd) break;
    ParseClassMember(*decl);
    ExpectEndOfStatement();
  }
  ExpectWord("end", 1014);
  ExpectWord("class", 1047);
  for (auto& [proc, names] : class_pending_) ResolveNames(*proc, names);
  class_pending_.clear();
  class_ = nullptr;
  return decl;
}

void Parser::ParseClassMember(ClassDecl& decl) {
  bool is_public = true;
  bool visibility = false;
  if (AtWord("public") || AtWord("private")) {
    is_public = AtWord("public");
    visibility = true;
    ++pos_;
  }
  bool is_default = false;
  if (AtDefaultModifier()) {
    ++pos_;
    if (!is_public || !visibility) Fail(1057);
    is_default = true;
  }
  if (AtWord("sub") || AtWord("function") || AtPropertyDeclaration()) {
    auto proc = ParseProcedure(is_public, is_default);
    ProcedureDecl* raw = proc.get();
    switch (raw->kind) {
      case ProcKind::kSub:
      case ProcKind::kFunction:
        if (decl.methods.contains(raw->name) || decl.getters.contains(raw->name)) Fail(1041);
        decl.methods[raw->name] = raw;
        if (raw->name == "class_initialize") decl.initialize = raw;
        if (raw->name == "class_terminate") decl.terminate = raw;
        if ((raw == decl.initialize || raw == decl.terminate) && !raw->params.empty()) Fail(1053);
        break;
      case ProcKind::kPropertyGet:
        decl.getters[raw->name] = raw;
        break;
      case ProcKind::kPropertyLet:
        decl.letters[raw->name] = raw;
        break;
      case ProcKind::kPropertySet:
        decl.setters[raw->name] = raw;
        break;
    }
    if (is_default) {
      if (!decl.default_member.empty() && decl.default_member != raw->name) Fail(1052);
      decl.default_member = raw->name;
    }
    decl.procedures.push_back(std::move(proc));
    return;
  }
  if (is_default) Fail(1056);
  if (!visibility && !AcceptWord("dim")) Fail(1024);
  do {
    const Token& name_token = ExpectName();
    if (decl.field_index.contains(name_token.lower)) Fail(1041, name_token);
    FieldDecl field;
    field.name = name_token.lower;
    field.display = name_token.text;
    field.is_public = is_public;
    if (AcceptOp("(")) {
      field.is_array = true;
      if (!AcceptOp(")")) {
        do {
          field.bounds.push_back(ParseExpression());
        } while (AcceptOp(","));
        ExpectOp(")", 1006);
      }
    }
    decl.field_index[field.name] = static_cast<int>(decl.fields.size());
    decl.fields.push_back(std::move(field));
  } while (AcceptOp(","));
}

namespace {

// One operator as written: a symbol ("&") or a word ("Mod", any case).
struct OperatorSpelling {
  const char* text;
  bool word;
  Op op;
};

// One level of binding: its operators, all of equal strength and read left to right, or the
// prefix "Not", which takes a whole level to itself. The list ends at the first empty spelling.
struct PrecedenceLevel {
  OperatorSpelling operators[7];
  bool prefix = false;
};

// Operator precedence, loosest binding first. Below the last level come the signs and then
// the operands, so a sign binds tighter than "^": -3 ^ 2 is 9.
constexpr PrecedenceLevel kPrecedence[] = {
    {{{"imp", true, Op::kImp}}},
    {{{"eqv", true, Op::kEqv}}},
    {{{"xor", true, Op::kXor}}},
    {{{"or", true, Op::kOr}}},
    {{{"and", true, Op::kAnd}}},
    {{{"not", true, Op::kNot}}, true},
    {{{"=", false, Op::kEq},
      {"<>", false, Op::kNe},
      {"<", false, Op::kLt},
      {">", false, Op::kGt},
      {"<=", false, Op::kLe},
      {">=", false, Op::kGe},
      {"is", true, Op::kIs}}},
    {{{"&", false, Op::kConcat}}},
    {{{"+", false, Op::kAdd}, {"-", false, Op::kSub}}},
    {{{"mod", true, Op::kMod}}},
    {{{"\\", false, Op::kIntDiv}}},
    {{{"*", false, Op::kMul}, {"/", false, Op::kDiv}}},
    {{{"^", false, Op::kPow}}},
};
constexpr size_t kLevels = std::size(kPrecedence);

// The level of the operator `op`.
constexpr size_t LevelOf(Op op) {
  for (size_t level = 0; level < kLevels; ++level) {
    for (const OperatorSpelling& spelling : kPrecedence[level].operators) {
      if (spelling.text && spelling.op == op) return level;
    }
  }
  return kLevels;
}

// The value after "Case Is >" is the right side of that one comparison, so it is read without
// comparisons of its own.
constexpr size_t kCaseValueLevel = LevelOf(Op::kConcat);

// The operator of `level` that `token` spells, if any.
const OperatorSpelling* OperatorAt(size_t level, const Token& token) {
  for (const OperatorSpelling& spelling : kPrecedence[level].operators) {
    if (!spelling.text) break;
    if (spelling.word ? token.IsWord(spelling.text) : token.Is(spelling.text)) return &spelling;
  }
  return nullptr;
}

}  // namespace

ExprPtr Parser::ParseExpression() {
  Enter();
  NestingGuard guard(depth_);
  return ParseLevel(0);
}

ExprPtr Parser::ParseLevel(size_t level) {
  if (level == kLevels) return ParsePowerOperand();
  if (kPrecedence[level].prefix) {
    const OperatorSpelling* prefix = OperatorAt(level, Current());
    if (!prefix) return ParseLevel(level + 1);
    Enter();
    NestingGuard guard(depth_);
    auto node = At<UnaryExpr>(Current());
    ++pos_;
    node->op = prefix->op;
    node->operand = ParseLevel(level);
    return node;
  }
  ExprPtr left = ParseLevel(level + 1);
  while (const OperatorSpelling* spelling = OperatorAt(level, Current())) {
    const Token& at = Current();
    ++pos_;
    left = MakeBinary(spelling->op, std::move(left), ParseLevel(level + 1), at);
  }
  return left;
}

ExprPtr Parser::ParseCaseValue() { return ParseLevel(kCaseValueLevel); }

ExprPtr Parser::ParsePowerOperand() {
  if (AtOp("-") || AtOp("+")) {
    Enter();
    NestingGuard guard(depth_);
    auto node = At<UnaryExpr>(Current());
    node->op = AtOp("-") ? Op::kNeg : Op::kPlus;
    ++pos_;
    node->operand = ParsePowerOperand();
    return node;
  }
  return ParsePostfix(kNoGroup, nullptr);
}

ExprPtr Parser::ParsePrimary() {
  const Token& token = Current();
  if (token.kind == TokenKind::kLiteral) {
    auto literal = At<LiteralExpr>(token);
    literal->value = token.value;
    ++pos_;
    return literal;
  }
  if (token.Is("(")) {
    ++pos_;
    ExprPtr inner = ParseExpression();
    ExpectOp(")", 1006);
    inner->parenthesized = true;
    return inner;
  }
  if (token.Is(".")) {
    ++pos_;
    const Token& name = Current();
    if (name.kind != TokenKind::kIdentifier) Fail(1010);
    ++pos_;
    auto member = At<MemberExpr>(token);
    member->name = name.lower;
    member->display = name.text;
    return member;
  }
  if (token.kind != TokenKind::kIdentifier) Fail(1023);
  const std::string& word = token.lower;
  auto literal_of = [&](platform::ScriptValue value) {
    auto literal = At<LiteralExpr>(token);
    literal->value = std::move(value);
    ++pos_;
    return literal;
  };
  if (word == "true") return literal_of(platform::ScriptValue::Boolean(true));
  if (word == "false") return literal_of(platform::ScriptValue::Boolean(false));
  if (word == "empty") return literal_of(platform::ScriptValue());
  if (word == "null") return literal_of(platform::ScriptValue::Null());
  if (word == "nothing") return literal_of(platform::ScriptValue::Nothing());
  if (word == "me") {
    if (class_ == nullptr) Fail(1037);
    ++pos_;
    return At<MeExpr>(token);
  }
  if (word == "new") {
    ++pos_;
    const Token& name = ExpectName();
    auto node = At<NewExpr>(token);
    node->name = name.lower;
    node->display = name.text;
    return node;
  }
  if (IsReserved(word)) Fail(1023);
  ++pos_;
  return MakeName(token);
}

ExprPtr Parser::ParsePostfix(size_t stop_at, size_t* last_group) {
  ExprPtr expr = ParsePrimary();
  while (pos_ < stop_at) {
    const Token& token = Current();
    if (token.Is(".") && !token.space_before) {
      ++pos_;
      const Token& name = Current();
      if (name.kind != TokenKind::kIdentifier) Fail(1010);
      ++pos_;
      auto member = At<MemberExpr>(token);
      member->object = std::move(expr);
      member->name = name.lower;
      member->display = name.text;
      expr = std::move(member);
      if (last_group) *last_group = kNoGroup;
    } else if (token.Is("(")) {
      if (last_group) *last_group = pos_;
      ++pos_;
      auto call = At<CallExpr>(token);
      call->line = expr->line;
      call->column = expr->column;
      if (expr->kind == ExprKind::kName) static_cast<NameExpr*>(expr.get())->called = true;
      call->callee = std::move(expr);
      call->args = ParseArguments();
      ExpectOp(")", 1006);
      expr = std::move(call);
    } else {
      break;
    }
  }
  return expr;
}

std::vector<ExprPtr> Parser::ParseArguments() {
  std::vector<ExprPtr> args;
  if (AtOp(")")) return args;
  while (true) {
    if (AtOp(",") || AtOp(")")) {
      args.push_back(nullptr);
    } else {
      args.push_back(ParseExpression());
    }
    if (!AcceptOp(",")) break;
  }
  return args;
}

std::string SourceText::Line(int line) const {
  size_t start = 0;
  for (int i = 1; i < line; ++i) {
    size_t next = text.find('\n', start);
    if (next == std::string::npos) return {};
    start = next + 1;
  }
  size_t end = text.find_first_of("\r\n", start);
  std::string result = text.substr(start, end == std::string::npos ? end : end - start);
  size_t first = result.find_first_not_of(" \t");
  return first == std::string::npos ? std::string() : result.substr(first);
}

}  // namespace quillon::vbscript
