#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The editor's bounds constrainer, which also re-renders the cached images of
    its registered components at the end of every resize and after every scale
    change, through the message queue.

    The list is used on the message thread only. A re-rendering still queued
    when the constrainer is gone finds its weak pointer expired and does
    nothing; a registered component deleted meanwhile is skipped.
*/
template <typename T>
class ConstrainerAndSVGResizer : public juce::ComponentBoundsConstrainer
{
public:
    using Components = juce::Array<juce::Component::SafePointer<T>>;

    ConstrainerAndSVGResizer() = default;
    ~ConstrainerAndSVGResizer() override = default;

    void resizeStart() override { isResizing = true; }

    void resizeEnd() override
    {
        std::weak_ptr<Components> weak = components;

        juce::MessageManager::callAsync ([weak]
                                         {
                                             const auto list = weak.lock();
                                             if (list == nullptr)
                                                 return;

                                             for (auto& entry : *list)
                                             {
                                                 if (auto* component = entry.getComponent())
                                                 {
                                                     component->updateCachedImage();
                                                     if (auto* parent = component->getParentComponent())
                                                         parent->repaint();
                                                 }
                                             } });
    }

    /** Registered components; users append and remove directly. */
    std::shared_ptr<Components> components = std::make_shared<Components>();

    /** Raised by the first interactive resize, and then kept. */
    bool isResizing = false;
};
