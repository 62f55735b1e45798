#pragma once
// The preview's list of sample texts with pass or fail, and its buttons: add
// the current input with its current output as a new sample, remove the
// chosen sample, and take what the mode writes now as a failing sample's
// expected Tengwar. The Roman text and the expected Tengwar are edited in
// place (double-click or F2). Choosing a sample hands its Roman text to the
// pane, so its output and trace show.
#include <QWidget>
#include <string>

class QLabel;
class QPushButton;
class QTableView;

namespace vel {

class SamplesModel;

class SamplesPanel : public QWidget {
    Q_OBJECT
public:
    SamplesPanel(SamplesModel* model, QWidget* parent = nullptr);

    // What "Add as sample" would add: the pane's input and its output.
    void SetCandidate(std::string roman, std::string output);
    // Picks sample i in the list (and so hands it to the pane).
    void ChooseSample(int i);
    int ChosenSample() const;

    QTableView* View() const { return view_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* RemoveButton() const { return remove_; }
    QPushButton* AcceptButton() const { return accept_; }
    QLabel* Summary() const { return summary_; }

signals:
    void sampleChosen(const std::string& roman);

private:
    void AddCandidate();
    void RemoveChosen();
    void AcceptChosen();
    void UpdateState();

    SamplesModel* model_;
    QTableView* view_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* accept_;
    QLabel* summary_;
    std::string roman_;
    std::string output_;
};

}  // namespace vel
