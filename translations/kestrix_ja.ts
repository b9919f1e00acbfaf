<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>KestrixCalc</name>
    <message>
        <source>Flow Rate[CMH]</source>
        <translation>風量[CMH]</translation>
    </message>
    <message>
        <source>Size[mm]</source>
        <translation>サイズ[mm]</translation>
    </message>
    <message>
        <source>Velocity[m/s]</source>
        <comment>candidate</comment>
        <translation>風速[m/s]</translation>
    </message>
    <message>
        <source>Aspect Ratio</source>
        <translation>ｱｽﾍﾟｸﾄ比</translation>
    </message>
    <message>
        <source>Standard Flow[CMH]</source>
        <translation>基準風量[CMH]</translation>
    </message>
    <message>
        <source>Equivalent Dia.[mm]</source>
        <translation>相当直径[mm]</translation>
    </message>
    <message>
        <source>Velocity E.Dia.[m/s]</source>
        <translation>丸ﾀﾞｸﾄ換算時風速[m/s]</translation>
    </message>
    <message>
        <source>Free Area[%]</source>
        <translation>開口率[%]</translation>
    </message>
    <message>
        <source>Necessary Area[m²]</source>
        <translation>必要[㎡]</translation>
    </message>
    <message>
        <source>Effective Area[m²]</source>
        <translation>有効[㎡]</translation>
    </message>
    <message>
        <source>Surface Velocity[m/s]</source>
        <translation>面風速[m/s]</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>スタイル</translation>
    </message>
    <message>
        <source>Materials</source>
        <translation>ダクト材質</translation>
    </message>
    <message>
        <source>Duct styles (--style N)</source>
        <translation>ダクト選定スタイル (--style N)</translation>
    </message>
    <message>
        <source>Air-terminal styles (--style N)</source>
        <translation>器具選定スタイル (--style N)</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>番号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Roughness[mm]</source>
        <translation>内面粗度[mm]</translation>
    </message>
    <message>
        <source>Material</source>
        <translation>ダクト材質</translation>
    </message>
    <message>
        <source>Velocity[m/s]</source>
        <comment>style</comment>
        <translation>ダクト内風速[m/s]</translation>
    </message>
    <message>
        <source>Friction loss</source>
        <translation>最大摩擦損失</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>Aspect ratio</source>
        <translation>アスペクト比</translation>
    </message>
    <message>
        <source>Free area[%]</source>
        <translation>開口率[%]</translation>
    </message>
    <message>
        <source>Face velocity[m/s]</source>
        <translation>面風速[m/s]</translation>
    </message>
    <message>
        <source>DeltaPr.[Pa/m]</source>
        <translation>Δp[Pa/m]</translation>
    </message>
    <message>
        <source>DeltaPr.[mmAq/m]</source>
        <translation>Δp[mmAq/m]</translation>
    </message>
    <message>
        <source>Dynamic Pr.[Pa]</source>
        <translation>動圧[Pa]</translation>
    </message>
    <message>
        <source>Dynamic Pr.[kgf/m²]</source>
        <translation>動圧[kgf/㎡]</translation>
    </message>
    <message>
        <source>Φ</source>
        <translation>φ</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>符号</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Round </source>
        <translation>丸</translation>
    </message>
    <message>
        <source>Rect. </source>
        <translation>角</translation>
    </message>
    <message>
        <source>expected 2 fields (tag and flow) but found %1</source>
        <translation>符号と風量の2項目のはずが%1項目あります</translation>
    </message>
    <message>
        <source>a quoted field is not closed</source>
        <translation>引用符で始まる項目が閉じていません</translation>
    </message>
    <message>
        <source>text after the closing quote of a field</source>
        <translation>項目の閉じ引用符の後に文字があります</translation>
    </message>
    <message>
        <source>line longer than %1 bytes</source>
        <translation>行が%1バイトを超えています</translation>
    </message>
    <message>
        <source>line longer than %1 bytes, with no line end in the next %2 bytes: the rest of the input is not read</source>
        <translation>行が%1バイトを超え、続く%2バイトにも行末がないため、以降の入力は読みません</translation>
    </message>
    <message>
        <source>empty tag</source>
        <translation>符号が空です</translation>
    </message>
    <message>
        <source>empty flow</source>
        <translation>風量が空です</translation>
    </message>
    <message>
        <source>flow &apos;%1&apos; is not a positive number</source>
        <translation>風量 &apos;%1&apos; は正の数ではありません</translation>
    </message>
    <message>
        <source>no size meets the criteria at this flow</source>
        <translation>この風量では条件を満たすサイズがありません</translation>
    </message>
    <message>
        <source>floating-point overflow</source>
        <translation>浮動小数点数のオーバーフロー</translation>
    </message>
    <message>
        <source>invalid floating-point operation</source>
        <translation>不正な浮動小数点数演算命令</translation>
    </message>
</context>
</TS>
