#include "touch/onscreenkeyboard.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

// Drives the real keyboard: every character is typed by tapping the key whose accessible name
// is that character, with shift or a layout switch in between where the layout needs one.
class tst_OnScreenKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typesIntoFocusedEdit_data();
    void typesIntoFocusedEdit();
    void keyEventsLikeHardware_data();
    void keyEventsLikeHardware();
    void shiftHoldsForOneCharacter();
    void backspaceAndEnter();
    void keysNeverTakeTheFocus();
    void layoutByName();
    void noFocusedControlTypesNothing();

private:
    void tap(const QString &name);
    // Types one character the way a person would on the layout shown.
    void typeChar(QChar c, bool switchLayouts);

    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_edit = nullptr;
    OnScreenKeyboard *m_keyboard = nullptr;
};

void tst_OnScreenKeyboard::init()
{
    m_window = std::make_unique<QWidget>();
    auto *box = new QVBoxLayout(m_window.get());
    m_edit = new QLineEdit(m_window.get());
    m_keyboard = new OnScreenKeyboard(m_window.get());
    box->addWidget(m_edit);
    box->addWidget(m_keyboard);
    m_window->resize(1000, 400);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    m_edit->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), m_edit);
}

void tst_OnScreenKeyboard::cleanup()
{
    m_window.reset();
}

void tst_OnScreenKeyboard::tap(const QString &name)
{
    QAbstractButton *key = m_keyboard->key(name);
    QVERIFY2(key, qPrintable(u"no key "_s + name + u" on "_s + m_keyboard->layoutName()));
    QVERIFY(key->isVisible());
    QTest::mouseClick(key, Qt::LeftButton);
}

void tst_OnScreenKeyboard::typeChar(QChar c, bool switchLayouts)
{
    const QString s(c);
    if (c == u' ') {
        if (m_keyboard->layout() != OnScreenKeyboard::Layout::Standard)
            tap(u"Letters"_s);
        tap(u"Spatie"_s);
        return;
    }
    if (c.isDigit() && switchLayouts) {
        if (m_keyboard->layout() != OnScreenKeyboard::Layout::NumPad)
            tap(u"Cijfers"_s);
        tap(s);
        return;
    }
    if (m_keyboard->layout() != OnScreenKeyboard::Layout::Standard)
        tap(u"Letters"_s);
    // Capitals and, on the AZERTY number row, digits come with shift.
    if (c.isUpper() || c.isDigit())
        tap(u"Hoofdletters"_s);
    tap(s);
}

void tst_OnScreenKeyboard::typesIntoFocusedEdit_data()
{
    QTest::addColumn<OnScreenKeyboard::Layout>("start");
    QTest::addColumn<bool>("switchLayouts");
    QTest::addColumn<QString>("text");

    const QString code = u"Wachtwoord é 7086"_s;
    QTest::newRow("standard, digits with shift") << OnScreenKeyboard::Layout::Standard << false << code;
    QTest::newRow("standard, digits on the number pad") << OnScreenKeyboard::Layout::Standard << true << code;
    QTest::newRow("number pad first") << OnScreenKeyboard::Layout::NumPad << true << code;
    QTest::newRow("accents and euro") << OnScreenKeyboard::Layout::Standard << false << u"èàçù € 5"_s;
}

void tst_OnScreenKeyboard::typesIntoFocusedEdit()
{
    QFETCH(OnScreenKeyboard::Layout, start);
    QFETCH(bool, switchLayouts);
    QFETCH(QString, text);

    m_keyboard->setLayout(start);
    QSignalSpy edited(m_edit, &QLineEdit::textEdited);
    for (QChar c : text) {
        typeChar(c, switchLayouts);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(m_edit->text(), text);
    // textEdited fires only for user input, so the keys arrived as real key events.
    QCOMPARE(edited.count(), text.size());
    QCOMPARE(QApplication::focusWidget(), m_edit);
}

namespace {

// Records the key events that reach a widget.
class KeyRecorder : public QObject
{
public:
    struct Record
    {
        QEvent::Type type;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    QList<Record> records;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const auto *k = static_cast<QKeyEvent *>(event);
            records.append({event->type(), k->key(), k->modifiers(), k->text()});
        }
        return false;
    }
};

} // namespace

void tst_OnScreenKeyboard::keyEventsLikeHardware_data()
{
    QTest::addColumn<QStringList>("taps");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QString>("text");

    QTest::newRow("letter") << QStringList{u"a"_s} << int(Qt::Key_A) << false << u"a"_s;
    QTest::newRow("capital") << QStringList{u"Hoofdletters"_s, u"W"_s} << int(Qt::Key_W) << true << u"W"_s;
    QTest::newRow("e acute") << QStringList{u"é"_s} << int(Qt::Key_Eacute) << false << u"é"_s;
    QTest::newRow("c cedilla") << QStringList{u"ç"_s} << int(Qt::Key_Ccedilla) << false << u"ç"_s;
    QTest::newRow("shifted digit") << QStringList{u"Hoofdletters"_s, u"7"_s} << int(Qt::Key_7) << true
                                   << u"7"_s;
    QTest::newRow("micro sign") << QStringList{u"µ"_s} << int(Qt::Key_mu) << false << u"µ"_s;
    QTest::newRow("euro sign") << QStringList{u"€"_s} << 0x20AC << false << u"€"_s;
    QTest::newRow("space") << QStringList{u"Spatie"_s} << int(Qt::Key_Space) << false << u" "_s;
    QTest::newRow("backspace") << QStringList{u"Wissen"_s} << int(Qt::Key_Backspace) << false << u"\b"_s;
    QTest::newRow("enter") << QStringList{u"Enter"_s} << int(Qt::Key_Return) << false << u"\r"_s;
    QTest::newRow("number pad digit")
        << QStringList{u"Cijfers"_s, u"0"_s} << int(Qt::Key_0) << false << u"0"_s;
}

void tst_OnScreenKeyboard::keyEventsLikeHardware()
{
    QFETCH(QStringList, taps);
    QFETCH(int, key);
    QFETCH(bool, shift);
    QFETCH(QString, text);

    KeyRecorder recorder;
    m_edit->installEventFilter(&recorder);
    for (const QString &t : taps)
        tap(t);
    // One press and its release, nothing else (shift and layout keys send nothing).
    QCOMPARE(recorder.records.size(), 2);
    const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
    for (int i = 0; i < 2; ++i) {
        const KeyRecorder::Record &r = recorder.records.at(i);
        QCOMPARE(r.type, i == 0 ? QEvent::KeyPress : QEvent::KeyRelease);
        QCOMPARE(r.key, key);
        QCOMPARE(r.modifiers, modifiers);
        QCOMPARE(r.text, text);
    }
    m_edit->removeEventFilter(&recorder);
}

void tst_OnScreenKeyboard::shiftHoldsForOneCharacter()
{
    QSignalSpy shifted(m_keyboard, &OnScreenKeyboard::shiftedChanged);
    tap(u"Hoofdletters"_s);
    QVERIFY(m_keyboard->isShifted());
    QVERIFY(m_keyboard->key(u"W"_s));
    QVERIFY(!m_keyboard->key(u"w"_s));
    tap(u"W"_s);
    QVERIFY(!m_keyboard->isShifted());
    tap(u"a"_s);
    QCOMPARE(m_edit->text(), u"Wa"_s);
    // Shift pressed twice is off again and types nothing.
    tap(u"Hoofdletters"_s);
    tap(u"Hoofdletters"_s);
    tap(u"b"_s);
    QCOMPARE(m_edit->text(), u"Wab"_s);
    QCOMPARE(shifted.count(), 4);
}

void tst_OnScreenKeyboard::backspaceAndEnter()
{
    QSignalSpy returned(m_edit, &QLineEdit::returnPressed);
    for (const QString &k : {u"a"_s, u"b"_s, u"c"_s})
        tap(k);
    tap(u"Wissen"_s);
    QCOMPARE(m_edit->text(), u"ab"_s);
    // Backspace works from the number pad too, and on an empty edit does nothing.
    tap(u"Cijfers"_s);
    tap(u"Wissen"_s);
    tap(u"Wissen"_s);
    tap(u"Wissen"_s);
    QCOMPARE(m_edit->text(), QString());
    tap(u"Enter"_s);
    QCOMPARE(returned.count(), 1);
    QCOMPARE(m_edit->text(), QString());
}

void tst_OnScreenKeyboard::keysNeverTakeTheFocus()
{
    const QList<QAbstractButton *> keys = m_keyboard->keys();
    QVERIFY(!keys.isEmpty());
    for (QAbstractButton *k : keys) {
        QCOMPARE(k->focusPolicy(), Qt::NoFocus);
        QVERIFY2(!k->accessibleName().isEmpty(), qPrintable(k->text()));
    }
    QCOMPARE(m_keyboard->focusPolicy(), Qt::NoFocus);
    tap(u"z"_s);
    QCOMPARE(QApplication::focusWidget(), m_edit);
}

void tst_OnScreenKeyboard::layoutByName()
{
    QSignalSpy changed(m_keyboard, &OnScreenKeyboard::layoutChanged);
    QCOMPARE(m_keyboard->layoutName(), u"Standard"_s);
    m_keyboard->setLayoutName(u"NumPad"_s);
    QCOMPARE(m_keyboard->layout(), OnScreenKeyboard::Layout::NumPad);
    m_keyboard->setLayoutName(u"Azerty"_s); // unknown: stays
    QCOMPARE(m_keyboard->layoutName(), u"NumPad"_s);
    m_keyboard->toggleLayout();
    QCOMPARE(m_keyboard->layoutName(), u"Standard"_s);
    QCOMPARE(changed.count(), 2);
    // Only the keys of the layout shown are visible.
    QVERIFY(m_keyboard->key(u"a"_s)->isVisible());
    QVERIFY(!m_keyboard->key(u"7"_s));
}

void tst_OnScreenKeyboard::noFocusedControlTypesNothing()
{
    m_edit->clearFocus();
    QTRY_VERIFY(!QApplication::focusWidget());
    QSignalSpy typed(m_keyboard, &OnScreenKeyboard::keyTyped);
    tap(u"a"_s);
    QCOMPARE(typed.count(), 1);
    QCOMPARE(m_edit->text(), QString());
}

QTEST_MAIN(tst_OnScreenKeyboard)
#include "tst_onscreenkeyboard.moc"
