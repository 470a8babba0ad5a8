#include "kelc/CompileError.h"
#include "kelc/IdentScope.h"

#include <gtest/gtest.h>

namespace {

using kelc::TIdent;
using kelc::TIdentScope;

TEST(IdentScope, NamesAreComparedWithCase) {
    kelc::TGobalIdentScope global;
    global.AddIdent("Base", kelc::ikPiece);
    global.AddIdent("base", kelc::ikPiece);
    bool namesScope = true;
    EXPECT_EQ(global.FindIdent("Base", namesScope)->Name, "Base");
    EXPECT_FALSE(namesScope);
    EXPECT_EQ(global.FindIdent("BASE", namesScope), nullptr);
}

TEST(IdentScope, InlinableScopesDecorateTheirNames) {
    kelc::TGobalIdentScope global;
    TIdent& outer = global.AddIdent("amount", kelc::ikStaticVariable);
    TIdentScope& wave = global.AddScope("Wave", true);
    TIdent& parameter = wave.AddIdent("amount", kelc::ikLocalVariable);
    EXPECT_EQ(parameter.Name, "Wave_amount");
    bool namesScope = false;
    EXPECT_EQ(wave.FindIdent("amount", namesScope), &parameter);
    EXPECT_EQ(global.FindIdent("amount", namesScope), &outer);
    EXPECT_THROW(wave.AddIdent("amount", kelc::ikLocalVariable), kelc::ECompileError);
}

TEST(IdentScope, LocalsCopiedIntoAnInlinableScopeNeverHideItsOwnNames) {
    kelc::TGobalIdentScope global;
    TIdentScope& quad = global.AddScope("Quad", true);
    TIdent& parameter = quad.AddIdent("Twice_v", kelc::ikLocalVariable);  // stored as Quad_Twice_v
    EXPECT_EQ(quad.FindStoredIdent("Twice_v"), nullptr);                    // no decorated stand-in
    TIdent& copied = quad.AddStoredIdent("Twice_v", kelc::ikLocalVariable);
    EXPECT_EQ(quad.FindStoredIdent("Twice_v"), &copied);
    bool namesScope = false;
    EXPECT_EQ(quad.FindIdent("Twice_v", namesScope), &parameter);
}

TEST(IdentScope, AFunctionNameHidesOuterIdentifiersAndRedeclarationsAreFatal) {
    kelc::TGobalIdentScope global;
    TIdentScope& walk = global.AddScope("Walk", false);
    bool namesScope = false;
    EXPECT_EQ(walk.FindIdent("Walk", namesScope), nullptr);
    EXPECT_TRUE(namesScope);
    bool namesIdent = true;
    EXPECT_EQ(walk.FindScope("Walk", namesIdent), &walk);
    EXPECT_FALSE(namesIdent);
    try {
        global.AddIdent("Walk", kelc::ikStaticVariable);
        FAIL();
    } catch (const kelc::ECompileError& error) {
        EXPECT_STREQ(error.what(), "Redeclared Identifier: \"Walk\"");
    }
    EXPECT_TRUE(global.IsSelfOrAncestorOf(walk));
    EXPECT_FALSE(walk.IsSelfOrAncestorOf(global));
}

TEST(IdentScope, EmittedLinesCarryTheIndent) {
    kelc::TGobalIdentScope global;
    global.Indent = 2;
    EXPECT_EQ(global.EmitLine("ret;"), 0);
    global.EmitComment("x");
    int line = global.BeginCommentLine("if");
    global.AppendToLine(line, " (a)");
    global.AppendToLastLine(" more");
    global.InsertLine(0, "first");
    global.Indent = 0;
    global.EmitLine("");
    EXPECT_EQ(global.Lines.TakeText(), "first\r\n  ret;\r\n  //x\r\n  // if (a) more\r\n\r\n");
}

}  // namespace
