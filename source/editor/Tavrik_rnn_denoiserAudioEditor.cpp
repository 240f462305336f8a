#include "Tavrik_rnn_denoiserAudioEditor.h"

#include "Palette.h"
#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"

Tavrik_rnn_denoiserAudioEditor::Tavrik_rnn_denoiserAudioEditor (Tavrik_rnn_denoiserAudioProcessor& p)
    : juce::AudioProcessorEditor (p)
    , audioProcessor (p)
    , errorRegistry (p.getErrors())
    , mainComponent (p, boundsConstrainer)
    , errorOverlay (&mainComponent)
{
    customLookAndFeel.setColourScheme (RNNDenoiserLookAndFeel::getEditorColourScheme());
    backgroundLogger.log ("Opened editor");

    errorOverlay.setColour (BlurryError::boxColourId, Palette::offWhite);
    errorOverlay.setColour (BlurryError::textColourId, Palette::accentBlue);

    addAndMakeVisible (mainComponent);
    addChildComponent (errorOverlay);

    boundsConstrainer.setFixedAspectRatio (1.25);
    boundsConstrainer.setMinimumHeight (600);
    setSize ((int) (boundsConstrainer.getMinimumHeight() * boundsConstrainer.getFixedAspectRatio()), boundsConstrainer.getMinimumHeight());

    setConstrainer (&boundsConstrainer);
    // After setConstrainer, which would otherwise let the host resize the window.
    setResizable (false, false);
    setLookAndFeel (&customLookAndFeel);

    // Last: the registry tells the overlay at once about the errors it holds.
    errorRegistry.addListener (&errorOverlay);
}

Tavrik_rnn_denoiserAudioEditor::~Tavrik_rnn_denoiserAudioEditor()
{
    backgroundLogger.log ("Closed editor");
    setLookAndFeel (nullptr);
    errorRegistry.removeListener (&errorOverlay);
}

void Tavrik_rnn_denoiserAudioEditor::resized()
{
    mainComponent.setBounds (0, 0, getWidth(), getHeight());
    errorOverlay.setBounds (0, 0, getWidth(), getHeight());
}

void Tavrik_rnn_denoiserAudioEditor::setScaleFactor (float newScale)
{
    backgroundLogger.log ("Set new scale factor : " + juce::String (newScale));
    juce::AudioProcessorEditor::setScaleFactor (newScale);
    boundsConstrainer.resizeEnd();
    mainComponent.setScaleFactor (newScale);
}
