#include "gui/entry/Check.h"

#include "gui/app/AppContext.h"
#include "core/settings/SettingsDb.h"
#include "gui/databases/BackupAndExit.h"
#include "core/entry/FieldEntry.h"
#include "core/entry/OrderImporter.h"
#include "core/entry/PrintOption.h"
#include "core/entry/Routing.h"
#include "core/entry/SearchFilter.h"
#include "gui/platform/Accessible.h"
#include "core/platform/Database.h"
#include "core/platform/DbError.h"
#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "core/platform/RecordSet.h"
#include "core/platform/TableSchema.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QVBoxLayout>

namespace {

const QString kEmptyTemplate = QStringLiteral(
    "Please fill in the fields of the first check before you use this account. The first check "
    "in each Database is used as a template when creating new checks. This will minimize the "
    "amount of typing you will have to do when you create a new check. To go to the first check "
    "choose File - Goto First Check from the menu.");
const QString kLastCheck =
    QStringLiteral("This is the last check in the account - choose NEW to create a new check.");
const QString kFirstCheck = QStringLiteral("This is the first check in the account.");
const QString kNoDeleteTemplate = QStringLiteral("You CANNOT delete the first check in an account "
                                                 "database - it is used to setup default fields.");

struct HelpEntry {
    const char* objectName;
    const char* caption;
    QStringList paragraphs;
};

QList<HelpEntry> helpEntries(const QString& product) {
    return {
        {"hban",
         "Bank Account Number",
         {QStringLiteral(
              "This number should include all spaces and dashes as they appear on the bottom of a "
              "check or a deposit slip (to enter a dash on the MICR line, enter an uppercase D "
              "where you want to place the dash).  "),
          QStringLiteral(
              "The account number is made up of the numbers that remain on the MICR line after "
              "the routing number and check number have been identified. ")}},
        {"atbrn",
         "&Bank Routing Number",
         {QStringLiteral(
              "This is the unique identification number for the financial institution.  "),
          QStringLiteral(
              "This 9 digit number can be found by looking at the line of numbers in the MICR "
              "font at the bottom of the check. The numbers between the two colon marks make up "
              "the routing number.")}},
        {"hcns",
         "Check Numbers",
         {QStringLiteral(
              "Valid check numbers are between 3 and 6 digits in length (101 to 999999).  "),
          QStringLiteral(
              "You should not try to deposit a check or draft with the same number that has "
              "recently been deposited. If you do, the bank could reject the check. To avoid "
              "duplicate check numbers, it is a good idea to use a certain range of check "
              "numbers for ") +
              product + QStringLiteral(" checks.  "),
          QStringLiteral(
              "For example, if your current check number is 455, then you could choose a high "
              "check number such as 4000. ")}},
        {"eci",
         "Entering Check &Information",
         {QStringLiteral("The first check in each account is used to set default fields.  "),
          QStringLiteral(
              "To create a new check at this screen you will need to select the NEW button at "
              "the bottom of the screen. This will create a new record in the account database "
              "- you MUST create a new record for every check you wish to print, or change the "
              "fields of an existing check.   "),
          QStringLiteral(
              "All fields should be filled in for a properly formatted check. For information on "
              "how to obtain the routing and account numbers from a check, choose Help - Help "
              "with MICR Information from the data entry screen.  "),
          QStringLiteral(
              "Most of the fields you are going to enter data into on the data entry screen are "
              "arranged in the format of a standard check. If you have any doubt about what "
              "information should go into what field, you can review any standard check from a "
              "bank.  "),
          QStringLiteral(
              "To move to a previously created check, use the navigation buttons at the bottom "
              "of the data entry screen.")}},
        {"hwtcpo",
         "How Will This Check Print Option",
         {QStringLiteral(
              "The default selection here is One Time which means that after the check is "
              "printed, it is set to not print again.  "),
          QStringLiteral(
              "If you select Multiple Times the check will print every time you select the print "
              "all checks selected to print multiple times selection from the print menu. Checks "
              "being printed multiple times can be used for monthly or weekly bank drafts in a "
              "draft database or employee payroll in a check database.  "),
          QStringLiteral(
              "Note that these checks are renumbered after they are printed to avoid duplicate "
              "check numbers. ")}},
        {"hhtpsc",
         "How to Print Checks",
         {QStringLiteral(
             "After you have entered a few checks and you are ready to print them out, choose "
             "File - Print Checks or Labels to get to the printer control menu. This menu also "
             "allows you to print blank checks. ")}},
        {"hpdtdpb",
         "Product Type Drop Down Box",
         {QStringLiteral("This is an optional feature.  "),
          QStringLiteral(
              "To enter the different types of products you wish to appear in the Product Type "
              "drop down box, select File - Program Setup from the data entry menu.  "),
          QStringLiteral(
              "This is useful if you export the database and wish to sort sales based on the "
              "different types of products sold. To help automate things, the chosen product "
              "type is automatically entered in the For or memo field on the screen.  Enter one "
              "product type per record - press new to add a record. Use the arrow buttons to "
              "move through the records. ")}},
    };
}

struct FilterEntry {
    const char* objectName;
    const char* caption;
    const char* field;
    const char* prompt;
};

const FilterEntry kFilters[] = {
    {"ViewByName", "By &Business Name", "BusinessName",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the Business Name field:"},
    {"LastName", "By &Last Name", "LastName",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the Last Name field:"},
    {"FirstName", "By First &Name", "FirstName",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the First Name field:"},
    {"CheckNum", "By &Check Number", "Check",
     "Enter any combination of numbers here and choose OK to view ONLY checks that contain these "
     "numbers in the CHECK field:"},
    {"AccountNumber", "By A&ccount Number", "Account",
     "Enter any combination of numbers here and choose OK to view ONLY checks that contain these "
     "numbers in the Charge to ACCOUNT NUMBER field:"},
    {"ByMemoField", "By Memo Field", "For",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the For field:"},
    {"ByComments", "By Comments", "Comments",
     "Enter any combination of characters here and choose OK to view ONLY checks that contain "
     "these "
     "characters in the Comments:"},
};

QLabel* captionLabel(const QString& text, QWidget* parent, const QString& objectName = {}) {
    auto* label = new QLabel(text, parent);
    if (!objectName.isEmpty())
        label->setObjectName(objectName);
    QFont font = label->font();
    font.setFamily(QStringLiteral("Times New Roman"));
    label->setFont(font);
    return label;
}

QFont micrFont(const QFont& base) {
    QFont font = base;
    font.setFamily(QStringLiteral("MICR65"));
    font.setPointSizeF(base.pointSizeF() * 1.4);
    return font;
}

} // namespace

template <class F> bool Check::run(F&& handler) {
    return tellIfFails(m_context.prompter(), std::forward<F>(handler));
}

Check::Check(AppContext& context) : m_context(context) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Check"));
    setWindowTitle(QStringLiteral("Data Entry: "));

    auto* central = new QWidget(this);
    auto* page = new QVBoxLayout(central);

    // The payer block, top left, and the number and date, top right, as on a check.
    auto* top = new QGridLayout;
    top->addWidget(
        captionLabel(QStringLiteral("Charge To Account Of:"), central, QStringLiteral("Label2")), 0,
        0, 1, 2);
    int row = 1;
    auto addRow = [&](QGridLayout* grid, int r, int col, const QString& objectName,
                      const QString& field, const QString& caption, int maxLength) {
        QLineEdit* box = addBox(objectName, field, caption, maxLength);
        QLabel* label = captionLabel(caption, central);
        Accessible::label(label, box);
        grid->addWidget(label, r, col);
        grid->addWidget(box, r, col + 1);
        return box;
    };
    addRow(top, row++, 0, QStringLiteral("Text3"), QStringLiteral("BusinessName"),
           QStringLiteral("Business Name (if applicable)"), 60);
    addRow(top, row++, 0, QStringLiteral("Text1"), QStringLiteral("FirstName"),
           QStringLiteral("First Name"), 50);
    addRow(top, row++, 0, QStringLiteral("Text2"), QStringLiteral("LastName"),
           QStringLiteral("Last Name"), 50);
    addRow(top, row++, 0, QStringLiteral("Address"), QStringLiteral("Address"),
           QStringLiteral("Address"), 80);
    addRow(top, row++, 0, QStringLiteral("City"), QStringLiteral("City"), QStringLiteral("City"),
           60);
    addRow(top, row++, 0, QStringLiteral("State"), QStringLiteral("State"), QStringLiteral("State"),
           20);
    addRow(top, row++, 0, QStringLiteral("Zip"), QStringLiteral("Zip"), QStringLiteral("Zip"), 15);
    addRow(top, row++, 0, QStringLiteral("Phone"), QStringLiteral("Phone"),
           QStringLiteral("Phone #"), 50);

    auto* right = new QGridLayout;
    auto* recordLabel = captionLabel(QStringLiteral("Record"), central);
    m_id = new QLabel(central);
    m_id->setObjectName(QStringLiteral("Label11"));
    Accessible::name(m_id, QStringLiteral("Record number"));
    right->addWidget(recordLabel, 0, 0);
    right->addWidget(m_id, 0, 1);
    top->addLayout(right, 1, 2, 3, 2);

    auto* bank = new QGridLayout;
    addRow(bank, 0, 0, QStringLiteral("Bank"), QStringLiteral("Bank"),
           QStringLiteral("Charge To Bank Name"), 75);
    addRow(bank, 1, 0, QStringLiteral("BankCity"), QStringLiteral("BankCity"),
           QStringLiteral("Bank City"), 60);
    addRow(bank, 2, 0, QStringLiteral("BankState"), QStringLiteral("BankState"),
           QStringLiteral("State"), 40)
        ->setAccessibleDescription(QStringLiteral("The state of the bank"));
    findChild<QLineEdit*>(QStringLiteral("State"))
        ->setAccessibleDescription(QStringLiteral("The state of the payer's address"));
    top->addLayout(bank, 5, 2, 4, 2);
    page->addLayout(top);

    auto* line = new QFrame(central);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    page->addWidget(line);

    // Memo and the MICR line.
    auto* middle = new QGridLayout;
    addRow(middle, 0, 0, QStringLiteral("Draft"), QStringLiteral("For"),
           QStringLiteral("For (memo)"), 80);

    auto* micr = new QHBoxLayout;
    auto* routingLabel = captionLabel(QStringLiteral("Bank Routing or Transit #"), central);
    m_aba = addBox(QStringLiteral("ABA"), QStringLiteral("ABA"),
                   QStringLiteral("Bank Routing or Transit #"), 9);
    Accessible::label(routingLabel, m_aba);
    auto* transit1 = new QLabel(QStringLiteral("A"), central);
    transit1->setObjectName(QStringLiteral("TransitSymbol1"));
    auto* transit2 = new QLabel(QStringLiteral("A"), central);
    transit2->setObjectName(QStringLiteral("TransitSymbol2"));
    auto* accountLabel =
        captionLabel(QStringLiteral("Account Number (enter uppercase D for dash)"), central);
    QLineEdit* account = addBox(QStringLiteral("Account"), QStringLiteral("Account"),
                                QStringLiteral("Account Number (enter uppercase D for dash)"), 30);
    Accessible::label(accountLabel, account);
    auto* onUs = new QLabel(QStringLiteral("C"), central);
    onUs->setObjectName(QStringLiteral("OnUsSymbol"));
    for (QWidget* w : std::initializer_list<QWidget*>{m_aba, account, transit1, transit2, onUs})
        w->setFont(micrFont(w->font()));
    for (QLabel* symbol : {transit1, transit2, onUs})
        symbol->setAccessibleName(symbol == onUs ? QStringLiteral("On-us symbol")
                                                 : QStringLiteral("Transit symbol"));
    m_routingMark = new QLabel(central);
    m_routingMark->setObjectName(QStringLiteral("ABACheck"));
    Accessible::name(m_routingMark, QStringLiteral("Routing number check"));
    QFont small = m_routingMark->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_routingMark->setFont(small);
    micr->addWidget(transit1);
    micr->addWidget(m_aba);
    micr->addWidget(transit2);
    micr->addWidget(m_routingMark);
    micr->addSpacing(12);
    micr->addWidget(account, 1);
    micr->addWidget(onUs);
    middle->addWidget(routingLabel, 1, 0);
    middle->addWidget(accountLabel, 1, 1);
    middle->addLayout(micr, 2, 0, 1, 2);
    page->addLayout(middle);

    // Payee, number, date and amount.
    auto* pay = new QGridLayout;
    addRow(pay, 0, 0, QStringLiteral("PayToOrderOf"), QStringLiteral("PayTo"),
           QStringLiteral("Pay To The Order Of:"), 80);
    addRow(pay, 0, 2, QStringLiteral("CheckNumber"), QStringLiteral("Check"),
           QStringLiteral("Check #"), 6);
    addRow(pay, 1, 2, QStringLiteral("CheckDate"), QStringLiteral("Date"), QStringLiteral("Date"),
           0);
    addRow(pay, 2, 2, QStringLiteral("CheckAmount"), QStringLiteral("Amount"),
           QStringLiteral("Amount"), 16);
    page->addLayout(pay);

    auto* commentsLabel =
        captionLabel(QStringLiteral("Comments (optional - will not print on check)"), central);
    auto* comments = new QPlainTextEdit(central);
    comments->setObjectName(QStringLiteral("OptComts"));
    comments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    comments->setTabChangesFocus(true);
    comments->setFixedHeight(comments->fontMetrics().lineSpacing() * 4 + 12);
    Accessible::label(commentsLabel, comments);
    m_bindings.append({comments, QStringLiteral("Comments"), QStringLiteral("Comments"), false});
    connect(comments, &QPlainTextEdit::textChanged, this, [this, comments] {
        if (m_showing)
            return;
        for (Binding& b : m_bindings)
            if (b.box == comments)
                b.changed = true;
    });
    page->addWidget(commentsLabel);
    page->addWidget(comments);

    // Print options and product type.
    auto* options = new QHBoxLayout;
    auto* frame = new QGroupBox(QStringLiteral("Print Options"), central);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QGridLayout(frame);
    auto* howLabel = captionLabel(QStringLiteral("How will this check print?"), frame);
    m_combo1 = new QComboBox(frame);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    // The selector can show texts that are not in its list (a blank, "Monthly Draft"), but the
    // user can only choose from the list.
    m_combo1->setEditable(true);
    m_combo1->lineEdit()->setReadOnly(true);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    Accessible::label(howLabel, m_combo1);
    m_printLabel = new QCheckBox(QStringLiteral("Print label for this check"), frame);
    m_printLabel->setObjectName(QStringLiteral("PrintLabel"));
    m_printLabel->setAccessibleName(QStringLiteral("Print label for this check"));
    frameLayout->addWidget(howLabel, 0, 0);
    frameLayout->addWidget(m_combo1, 0, 1);
    frameLayout->addWidget(m_printLabel, 1, 0, 1, 2);
    options->addWidget(frame);
    m_combo2 = new QComboBox(central);
    m_combo2->setObjectName(QStringLiteral("Combo2"));
    m_combo2->setEditable(true);
    m_combo2->lineEdit()->setReadOnly(true);
    m_combo2->setInsertPolicy(QComboBox::NoInsert);
    m_combo2->setMinimumContentsLength(18);
    Accessible::name(m_combo2, QStringLiteral("Product Type"));
    options->addWidget(m_combo2);
    options->addStretch();
    auto* printedLabel =
        captionLabel(QStringLiteral("Check was printed on:"), central, QStringLiteral("Label14"));
    m_printed = new QLabel(central);
    m_printed->setObjectName(QStringLiteral("PrintedDate"));
    Accessible::label(printedLabel, m_printed);
    options->addWidget(printedLabel);
    options->addWidget(m_printed);
    page->addLayout(options);

    // Buttons.
    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const QString& objectName, const QString& caption,
                         void (Check::*handler)()) {
        auto* b = new QPushButton(caption, central);
        b->setObjectName(objectName);
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        buttons->addWidget(b);
        return b;
    };
    QList<QWidget*> order;
    for (const Binding& b : m_bindings)
        order << b.box;
    // The tab order runs as on a paper check: payer, bank, memo, MICR, payee, number, date,
    // amount, comments, then the print options.
    const QStringList tabOrder = {
        "Text3",        "Text1",       "Text2",     "Address",     "City",    "State", "Zip",
        "Phone",        "Bank",        "BankCity",  "BankState",   "Draft",   "ABA",   "Account",
        "PayToOrderOf", "CheckNumber", "CheckDate", "CheckAmount", "OptComts"};
    QList<QWidget*> chain;
    for (const QString& name : tabOrder)
        chain << findChild<QWidget*>(name);
    chain << m_combo1 << m_printLabel << m_combo2;
    chain << addButton(QStringLiteral("New"), QStringLiteral("N&ew"), &Check::New_Click);
    chain << addButton(QStringLiteral("Delete"), QStringLiteral("&Delete"), &Check::Delete_Click);
    chain << addButton(QStringLiteral("Previous"), QStringLiteral("&Previous <<"),
                       &Check::Previous_Click);
    chain << addButton(QStringLiteral("Next"), QStringLiteral(">>     &Next"), &Check::Next_Click);
    chain << addButton(QStringLiteral("Command5"), QStringLiteral("Print"), &Check::Print_Click);
    chain << addButton(QStringLiteral("Save"), QStringLiteral("Exit"), &Check::Save_Click);
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    page->addLayout(buttons);
    setCentralWidget(central);

    connect(m_combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(m_combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(m_printLabel, &QCheckBox::clicked, this, [this] { m_printLabelChanged = true; });
    connect(m_aba, &QLineEdit::textChanged, this, [this] { updateRoutingMark(); });
    buildMenus();
}

Check::~Check() = default;

QLineEdit* Check::addBox(const QString& objectName, const QString& field, const QString& caption,
                         int maxLength) {
    auto* box = new QLineEdit(centralWidget() ? centralWidget() : this);
    box->setObjectName(objectName);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    m_bindings.append({box, field, caption, false});
    connect(box, &QLineEdit::textEdited, this, [this, box] {
        for (Binding& b : m_bindings)
            if (b.box == box)
                b.changed = true;
    });
    return box;
}

void Check::buildMenus() {
    auto action = [this](QMenu* menu, const QString& objectName, const QString& caption,
                         auto handler) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(objectName);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MFile"));
    action(file, QStringLiteral("ExportMenu"), QStringLiteral("&Export"),
           [this] { ExportMenu_Click(); });
    action(file, QStringLiteral("MProperties"), QStringLiteral("&Goto First Check in this Account"),
           [this] { MProperties_Click(); });
    action(file, QStringLiteral("ImportFromFile"),
           QStringLiteral("&Import From Comma Delimited File"), [this] { ExportMenu_Click(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    action(file, QStringLiteral("Open"), QStringLiteral("&Open Another Database"),
           [this] { Open_Click(); });
    action(file, QStringLiteral("Paste"), QStringLiteral("&Paste Order Form (Order Importer)"),
           [this] { Paste_Click(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    action(file, QStringLiteral("MPrint"), QStringLiteral("Print"), [this] { Print_Click(); });
    action(file, QStringLiteral("Setup"), QStringLiteral("Program Setup"),
           [this] { Setup_Click(); });
    action(file, QStringLiteral("FileSave"), QStringLiteral("&Save"), [this] { FileSave_Click(); });
    action(file, QStringLiteral("MExit"), QStringLiteral("E&xit"), [this] { MExit_Click(); });

    QAction* print = menuBar()->addAction(QStringLiteral("&Print"));
    print->setObjectName(QStringLiteral("FilePrint"));
    connect(print, &QAction::triggered, this, [this] { Print_Click(); });

    QMenu* search = menuBar()->addMenu(QStringLiteral("&Search"));
    search->setObjectName(QStringLiteral("Select"));
    action(search, QStringLiteral("AllInAccount"),
           QStringLiteral("View &All Checks in Database (default)"),
           [this] { AllInAccount_Click(); });
    for (const FilterEntry& f : kFilters) {
        const QString field = QString::fromLatin1(f.field);
        const QString prompt = QString::fromLatin1(f.prompt);
        action(search, QString::fromLatin1(f.objectName), QString::fromLatin1(f.caption),
               [this, field, prompt] { Filter_Click(field, prompt); });
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help"));
    action(help, QStringLiteral("MICR"), QStringLiteral("&Help With MICR Routing Information"),
           [this] { MICR_Click(); });
    for (const HelpEntry& h : helpEntries(m_context.program().name())) {
        const QString text = h.paragraphs.join(QStringLiteral("\n\n"));
        action(help, QString::fromLatin1(h.objectName), QString::fromLatin1(h.caption),
               [this, text] { m_context.prompter().message(text); });
    }
    action(help, QStringLiteral("ocs"), QStringLiteral("Ordering &Check Stock"),
           [this] { About_Click(); });
    action(help, QStringLiteral("About"), QStringLiteral("&About"), [this] { About_Click(); });
}

void Check::load() {
    Program& program = m_context.program();
    // Every step goes on past a failure, so a damaged field never keeps the screen shut. A
    // database that cannot be opened at all is explained; the screen then offers only the
    // ways out.
    run([&] { m_book = std::make_unique<CheckBook>(program.path(program.currentDatabase())); });
    skipIfFails([&] {
        m_data25 = std::make_unique<RecordSet>(Database::open(program.path(SettingsDb::kFileName)),
                                               QStringLiteral("BusinessType"));
    });
    skipIfFails([&] {
        m_data11 = std::make_unique<RecordSet>(Database::open(program.path(SettingsDb::kFileName)),
                                               QStringLiteral("Properties"));
    });
    if (m_book) {
        bool empty = false;
        skipIfFails([&] { empty = m_book->templateIsEmpty(); });
        if (empty)
            m_context.prompter().message(kEmptyTemplate, QStringLiteral("Note"));
        skipIfFails([&] { m_book->dateTemplate(m_context.clock()); });
        skipIfFails([&] {
            m_book->loadTemplate();
            setWindowTitle(m_book->caption());
        });
    }
    m_combo1->clear();
    m_combo1->addItems(
        {PrintOption::kOneTime, PrintOption::kMultipleTimes, PrintOption::kDontPrint});
    m_combo2->clear();
    bool hasTypes = false;
    skipIfFails([&] {
        if (!m_data25)
            return;
        m_data25->moveFirst();
        hasTypes = !m_data25->eof() && !m_data25->isNull(QStringLiteral("BusinessType"));
        if (!hasTypes)
            return;
        for (; !m_data25->eof(); m_data25->moveNext())
            m_combo2->addItem(m_data25->value(QStringLiteral("BusinessType")).toString());
        m_data25->moveFirst();
    });
    m_combo2->setVisible(hasTypes);
    ShowPrintOptions();
    show();
}

QString Check::boxText(const Binding& b) const {
    if (auto* line = qobject_cast<QLineEdit*>(b.box))
        return line->text();
    return static_cast<QPlainTextEdit*>(b.box)->toPlainText().replace(QLatin1Char('\n'),
                                                                      QStringLiteral("\r\n"));
}

void Check::setBoxText(Binding& b, const QString& text) {
    const bool showing = std::exchange(m_showing, true);
    if (auto* line = qobject_cast<QLineEdit*>(b.box)) {
        line->setText(text);
        line->setCursorPosition(0);
    } else {
        QString plain = text;
        static_cast<QPlainTextEdit*>(b.box)->setPlainText(
            plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    b.changed = false;
    m_showing = showing;
}

bool Check::commit() {
    if (!m_book || !m_book->records().hasCurrent())
        return true;
    RecordSet& rs = m_book->records();
    QList<std::pair<QString, QVariant>> values;
    for (Binding& b : m_bindings) {
        if (!b.changed)
            continue;
        const FieldEntry::Result r = FieldEntry::convert(b.field, b.caption, boxText(b));
        if (!r.ok()) {
            m_context.prompter().message(r.problem, {}, Prompter::Icon::Warning);
            // The record keeps what it had; the box shows it again.
            skipIfFails([&] { setBoxText(b, rs.value(b.field).toString()); });
            return false;
        }
        values.append({b.field, r.value});
    }
    if (m_printLabelChanged)
        values.append(
            {QStringLiteral("LabelPrint"), m_printLabel->isChecked() ? YesNo::True : YesNo::False});
    if (values.isEmpty())
        return true;
    const bool stored = run([&] {
        rs.edit();
        for (const auto& [field, value] : values)
            rs.setValue(field, value);
        rs.update();
    });
    if (stored) {
        for (Binding& b : m_bindings)
            b.changed = false;
        m_printLabelChanged = false;
    }
    return stored;
}

void Check::showRecord() {
    QSqlRecord row;
    const bool read = m_book && skipIfFails([&] { row = m_book->records().record(); });
    for (Binding& b : m_bindings)
        setBoxText(b, read ? row.value(b.field).toString() : QString());
    m_id->setText(read ? row.value(QStringLiteral("ID")).toString() : QString());
    m_printed->setText(read ? row.value(QStringLiteral("Printed")).toString() : QString());
    m_printLabel->setChecked(read && TableSchema::isYes(row.value(QStringLiteral("LabelPrint"))));
    m_printLabelChanged = false;
    updateRoutingMark();
}

void Check::ShowPrintOptions() {
    showRecord();
    m_combo2->setEditText(PrintOption::kBlank);
    m_combo1->setEditText(PrintOption::kBlank);
    if (!m_book)
        return;
    skipIfFails([&] {
        const QVariant type = m_book->records().value(QStringLiteral("BusinessType"));
        if (!type.isNull())
            m_combo2->setEditText(type.toString());
    });
    skipIfFails([&] {
        m_combo1->setEditText(
            PrintOption::caption(m_book->records().value(QStringLiteral("Print"))));
    });
}

void Check::updateRoutingMark() {
    const QString aba = m_aba->text();
    if (aba.isEmpty()) {
        m_routingMark->clear();
        m_routingMark->setToolTip({});
        return;
    }
    const bool ok = Routing::checkDigitOk(aba);
    m_routingMark->setText(ok ? QStringLiteral("\u2713 valid")
                              : QStringLiteral("\u2717 check digit wrong"));
    m_routingMark->setStyleSheet(ok ? QStringLiteral("color: #2e7d32;")
                                    : QStringLiteral("color: #b71c1c;"));
    const QString explanation =
        ok ? QStringLiteral("The routing number passes the bank check digit test.")
           : QStringLiteral("This is not a valid routing number: it must be nine digits "
                            "and pass the bank check digit test. Compare it with the "
                            "bottom line of a check.");
    m_routingMark->setToolTip(explanation);
    m_routingMark->setAccessibleDescription(explanation);
}

void Check::New_Click() {
    if (!commit() || !m_book)
        return;
    m_book->newCheck(m_context.clock());
    ShowPrintOptions();
}

void Check::Delete_Click() {
    if (!m_book)
        return;
    run([&] {
        if (m_book->currentIsTemplate()) {
            m_context.prompter().message(kNoDeleteTemplate);
            return;
        }
        if (!m_context.prompter().question(
                QStringLiteral("Do you really want to delete this check?"),
                QStringLiteral("WARNING"), Prompter::Icon::Stop, false))
            return;
        m_book->deleteCurrent();
        ShowPrintOptions();
    });
}

void Check::walk(bool forward) {
    if (!commit() || !m_book)
        return;
    RecordSet& rs = m_book->records();
    // Any failure of the move counts as running off the end: the message, and back one.
    bool ranOff = !skipIfFails([&] { forward ? rs.moveNext() : rs.movePrevious(); });
    if (!ranOff)
        ranOff = forward ? rs.eof() : rs.bof();
    if (ranOff) {
        m_context.prompter().message(forward ? kLastCheck : kFirstCheck);
        skipIfFails([&] { forward ? rs.movePrevious() : rs.moveNext(); });
    }
    ShowPrintOptions();
}

void Check::Next_Click() {
    walk(true);
}

void Check::Previous_Click() {
    walk(false);
}

void Check::MProperties_Click() {
    if (!commit() || !m_book)
        return;
    run([&] {
        RecordSet& rs = m_book->records();
        rs.moveFirst();
        showRecord();
        const QVariant type = rs.value(QStringLiteral("BusinessType"));
        m_combo2->setEditText(type.isNull() ? PrintOption::kBlank : type.toString());
        if (const QString caption =
                PrintOption::firstCheckCaption(rs.value(QStringLiteral("Print")));
            !caption.isEmpty())
            m_combo1->setEditText(caption);
        const QVariant lprint = rs.value(QStringLiteral("LPrint"));
        if (!lprint.isNull()) {
            const bool tick = lprint.toInt() != 0;
            if (tick != m_printLabel->isChecked()) {
                m_printLabel->setChecked(tick);
                m_printLabelChanged = true;
            }
        }
    });
}

void Check::Combo1_Click() {
    const QString code = PrintOption::code(m_combo1->currentText());
    if (code.isEmpty() || !m_book || !commit())
        return;
    skipIfFails([&] {
        RecordSet& rs = m_book->records();
        rs.edit();
        rs.setValue(QStringLiteral("Print"), code);
        rs.update();
    });
}

void Check::Combo2_Click() {
    if (!m_book || !commit())
        return;
    const QString type = m_combo2->currentText();
    skipIfFails([&] {
        RecordSet& rs = m_book->records();
        rs.edit();
        rs.setValue(QStringLiteral("BusinessType"), type);
        rs.setValue(QStringLiteral("For"), type);
        rs.update();
    });
    // The memo box shows the product type at once.
    for (Binding& b : m_bindings)
        if (b.field == QLatin1String("For"))
            setBoxText(b, type);
}

void Check::Filter_Click(const QString& field, const QString& prompt) {
    if (!m_book || !commit())
        return;
    const QString text = m_context.prompter().input(prompt, {}, {});
    const SearchFilter::Query query = SearchFilter::contains(field, text);
    bool found = false;
    if (!run([&] { found = m_book->filter(query.condition, query.binds); }))
        return;
    if (!found) {
        m_context.prompter().message(QStringLiteral("There were no matches - please try again"));
        run([&] { m_book->viewAll(); });
    }
    ShowPrintOptions();
}

void Check::AllInAccount_Click() {
    if (!m_book || !commit())
        return;
    run([&] { m_book->viewAll(); });
    ShowPrintOptions();
}

void Check::FileSave_Click() {
    commit();
}

void Check::leaveFor(QWidget* (AppContext::*open)()) {
    if (!commit())
        return;
    m_leaving = true;
    (m_context.*open)();
    close();
}

void Check::openOnTop(QWidget* (AppContext::*open)()) {
    if (commit())
        (m_context.*open)();
}

void Check::Open_Click() {
    leaveFor(&AppContext::openFileOpen);
}

void Check::Print_Click() {
    leaveFor(&AppContext::openPrinterControl);
}

void Check::ExportMenu_Click() {
    openOnTop(&AppContext::openExportFile);
}

void Check::Setup_Click() {
    openOnTop(&AppContext::openProgramSetup);
}

void Check::MICR_Click() {
    openOnTop(&AppContext::openMicrForm);
}

void Check::About_Click() {
    openOnTop(&AppContext::openHelpAbout);
}

void Check::Paste_Click() {
    if (!m_book || !commit())
        return;
    const QString text = QGuiApplication::clipboard()->text();
    run([&] { OrderImporter::paste(*m_book, text, m_context.clock(), m_context.prompter()); });
    ShowPrintOptions();
}

void Check::Save_Click() {
    MExit_Click();
}

void Check::MExit_Click() {
    if (!commit())
        return;
    m_leaving = true;
    auto closeDataEntry = [this] {
        m_book.reset();
        m_data25.reset();
        close();
    };
    if (!m_data11) {
        closeDataEntry();
        m_context.program().end();
        return;
    }
    BackupAndExit(m_context, *m_data11, closeDataEntry);
}

void Check::closeEvent(QCloseEvent* event) {
    if (m_leaving) {
        QMainWindow::closeEvent(event);
        return;
    }
    // Closing the window is leaving by File - Exit: what was typed is stored first, and the
    // backup is made when the settings ask for it.
    event->ignore();
    MExit_Click();
}
