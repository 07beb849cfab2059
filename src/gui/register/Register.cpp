#include "gui/register/Register.h"

#include "core/platform/Failure.h"
#include "core/platform/Program.h"
#include "core/platform/Prompter.h"
#include "gui/app/AppContext.h"
#include "gui/platform/BusyCursor.h"
#include "gui/platform/ScreenForm.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace {

// Typing is waited out this long before the rows are narrowed, so that a word typed in one
// go is looked for once.
constexpr int kTypingPauseMs = 300;
// After the rows are read again, the chosen row is found again among this many pages.
constexpr int kPagesToKeepPlace = 50;

} // namespace

Register::Register(AppContext& context) : m_context(context) {
    ScreenForm::setUp(m_ui, this);
    m_ui.FilterProblem->hide();
    m_typing.setSingleShot(true);
    m_typing.setInterval(kTypingPauseMs);
    connect(&m_typing, &QTimer::timeout, this, &Register::applyFilter);
    QHeaderView* header = m_ui.Table->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    connect(header, &QHeaderView::sectionClicked, this, &Register::sortByHeader);
}

Register::~Register() = default;

void Register::load() {
    const Program& program = m_context.program();
    tellIfFails(m_context.prompter(), [&] {
        BusyCursor busy;
        m_model = std::make_unique<RegisterModel>(program.path(program.currentDatabase()));
    });
    if (m_model) {
        m_ui.Table->setModel(m_model.get());
        connect(&m_model->totals(), &RegisterTotals::changed, this, &Register::showTotals);
        // However the rows were ordered, the header and the sort boxes say how.
        connect(m_model.get(), &QAbstractItemModel::modelReset, this, &Register::showOrder);
        connect(m_model.get(), &RegisterModel::readFailed, this, [this](const QString& why) {
            m_context.prompter().message(why, {}, Prompter::Icon::Warning);
        });
        for (int c = 0; c < CheckKeys::kColumns; ++c)
            m_ui.SortColumn->addItem(RegisterModel::caption(CheckKeys::Column(c), m_model->kind()));
        m_ui.Table->resizeColumnsToContents();
        m_ui.Table->horizontalHeader()->setSectionResizeMode(int(CheckKeys::Column::Party),
                                                             QHeaderView::Stretch);
        showOrder();
        showTotals();
    } else {
        // Nothing to show: the window says so and offers only Close.
        for (QWidget* w : std::initializer_list<QWidget*>{
                 m_ui.SearchText, m_ui.FromDate, m_ui.ToDate, m_ui.ShowAll, m_ui.SortColumn,
                 m_ui.SortOrder, m_ui.ShowCheck})
            w->setEnabled(false);
        m_ui.Summary->setText(QStringLiteral("The checks could not be read."));
    }
    show();
}

template <class F> void Register::change(F&& work) {
    if (!m_model)
        return;
    const bool done = tellIfFails(m_context.prompter(), [&] {
        BusyCursor busy;
        work();
    });
    if (!done)
        m_ui.Summary->setText(QStringLiteral("No checks are shown: they could not be read."));
    showOrder();
}

void Register::filterTyped() {
    m_typing.start();
}

void Register::applyFilter() {
    m_typing.stop();
    if (!m_model)
        return;
    const QString problem =
        RegisterFilter::datesProblem(m_ui.FromDate->text(), m_ui.ToDate->text());
    m_ui.FilterProblem->setText(problem);
    m_ui.FilterProblem->setVisible(!problem.isEmpty());
    if (!problem.isEmpty())
        return;
    const RegisterFilter filter =
        RegisterFilter::typed(m_ui.SearchText->text(), m_ui.FromDate->text(), m_ui.ToDate->text());
    if (filter == m_model->filter())
        return;
    change([&] { m_model->setFilter(filter); });
}

void Register::showAll() {
    for (QLineEdit* box : {m_ui.SearchText, m_ui.FromDate, m_ui.ToDate})
        box->clear();
    applyFilter();
}

void Register::sortChosen() {
    order(CheckKeys::Column(m_ui.SortColumn->currentIndex()),
          m_ui.SortOrder->currentIndex() == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void Register::sortByHeader(int section) {
    if (!m_model)
        return;
    // A second click on the column sorted by turns the order round.
    const auto column = CheckKeys::Column(section);
    const Qt::SortOrder next =
        column == m_model->sortColumn() && m_model->sortOrder() == Qt::AscendingOrder
            ? Qt::DescendingOrder
            : Qt::AscendingOrder;
    order(column, next);
}

void Register::order(CheckKeys::Column column, Qt::SortOrder sortOrder) {
    if (!m_model)
        return;
    if (column == m_model->sortColumn() && sortOrder == m_model->sortOrder()) {
        showOrder();
        return;
    }
    change([&] { m_model->order(column, sortOrder); });
}

void Register::showOrder() {
    if (!m_model)
        return;
    m_ui.Table->horizontalHeader()->setSortIndicator(int(m_model->sortColumn()),
                                                     m_model->sortOrder());
    m_ui.SortColumn->setCurrentIndex(int(m_model->sortColumn()));
    m_ui.SortOrder->setCurrentIndex(m_model->sortOrder() == Qt::DescendingOrder ? 1 : 0);
}

void Register::showTotals() {
    if (!m_model)
        return;
    const RegisterTotals& totals = m_model->totals();
    if (!totals.failure().isEmpty())
        m_ui.Summary->setText(QStringLiteral("The checks could not be counted: ") +
                              totals.failure());
    else if (!totals.done())
        m_ui.Summary->setText(QStringLiteral("Counting the checks shown…"));
    else
        m_ui.Summary->setText(totals.summary().text());
}

void Register::showChosenCheck() {
    if (!m_model)
        return;
    const QModelIndex chosen = m_ui.Table->currentIndex();
    const qint64 id = chosen.isValid() ? m_model->idAt(chosen.row()) : 0;
    if (id == 0) {
        m_context.prompter().message(QStringLiteral("Choose a check in the list first."));
        return;
    }
    emit checkChosen(id);
}

void Register::reread() {
    const int row = m_ui.Table->currentIndex().row();
    const qint64 id = row >= 0 ? m_model->idAt(row) : 0;
    const int scrolled = m_ui.Table->verticalScrollBar()->value();
    change([&] { m_model->refresh(); });
    // Back to where the user was, when the check is still in that row.
    for (int page = 0;
         page < kPagesToKeepPlace && row >= m_model->rowCount() && m_model->canFetchMore({});
         ++page)
        m_model->fetchMore({});
    if (row >= 0 && row < m_model->rowCount() && m_model->idAt(row) == id) {
        m_ui.Table->setCurrentIndex(m_model->index(row, 0));
        m_ui.Table->verticalScrollBar()->setValue(scrolled);
    }
}

void Register::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !m_model)
        return;
    // The first activation is the window's opening, with its rows just read.
    if (!m_shownOnce) {
        m_shownOnce = true;
        return;
    }
    reread();
}
