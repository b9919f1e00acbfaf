<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>kestrix::AboutBox</name>
    <message>
        <source>Version information</source>
        <translation>ﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
</context>
<context>
    <name>kestrix::DialogSupport</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>kestrix::DuctSystemWindow</name>
    <message>
        <source>round</source>
        <translation>丸</translation>
    </message>
    <message>
        <source>rectangular</source>
        <translation>角</translation>
    </message>
    <message>
        <source>The file is larger than 50 MB.</source>
        <translation>ファイルが 50 MB を超えています。</translation>
    </message>
    <message>
        <source>Cannot open </source>
        <translation>開けません：</translation>
    </message>
    <message>
        <source>The system is nested more than 1000 sections deep; the console tool (kestrix-calc system) calculates it.</source>
        <translation>系統の深さが 1000 区間を超えています。kestrix-calc system で計算できます。</translation>
    </message>
    <message>
        <source>Duct system</source>
        <translation>ダクト系統</translation>
    </message>
    <message>
        <source>Cannot save </source>
        <translation>保存できません：</translation>
    </message>
    <message>
        <source>The system has problems; correct them before exporting.</source>
        <translation>系統に問題があります。修正してから出力してください。</translation>
    </message>
    <message>
        <source>The paths of the system are too long together to be listed in a report.</source>
        <translation>経路の区間数の合計が多すぎて、出力できません。</translation>
    </message>
    <message>
        <source>Open duct system</source>
        <translation>ダクト系統を開く</translation>
    </message>
    <message>
        <source>Duct systems (*.json)</source>
        <translation>ダクト系統 (*.json)</translation>
    </message>
    <message>
        <source>Save duct system</source>
        <translation>ダクト系統を保存</translation>
    </message>
    <message>
        <source>Export Markdown</source>
        <translation>Markdown 出力</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV 出力</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Export &amp;CSV...</source>
        <translation>CSV 出力(&amp;C)...</translation>
    </message>
    <message>
        <source>Export &amp;Markdown...</source>
        <translation>Markdown 出力(&amp;M)...</translation>
    </message>
    <message>
        <source>Add section</source>
        <translation>区間を追加</translation>
    </message>
    <message>
        <source>Add downstream</source>
        <translation>下流に追加</translation>
    </message>
    <message>
        <source>Move under previous</source>
        <translation>前の区間の下へ</translation>
    </message>
    <message>
        <source>Move up a level</source>
        <translation>一段上へ</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>区間</translation>
    </message>
    <message>
        <source>Length[m]</source>
        <translation>長さ[m]</translation>
    </message>
    <message>
        <source>Flow[CMH]</source>
        <translation>風量[CMH]</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>形状</translation>
    </message>
    <message>
        <source>Max height</source>
        <translation>最大高さ</translation>
    </message>
    <message>
        <source>Fittings C</source>
        <translation>局部損失係数</translation>
    </message>
    <message>
        <source>Fixed loss</source>
        <translation>固定損失</translation>
    </message>
    <message>
        <source>= Flow</source>
        <translation>= 風量</translation>
    </message>
    <message>
        <source>= Size</source>
        <translation>= サイズ</translation>
    </message>
    <message>
        <source>Velocity[m/s]</source>
        <translation>風速[m/s]</translation>
    </message>
    <message>
        <source>Loss/m</source>
        <translation>損失/m</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>損失計</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>経路圧力</translation>
    </message>
    <message>
        <source>Surplus</source>
        <translation>余剰</translation>
    </message>
    <message>
        <source>Double-click a cell to edit it; drag a section onto another to move it under it.</source>
        <translation>セルをダブルクリックして編集。区間を別の区間へドラッグすると、その下に移ります。</translation>
    </message>
    <message>
        <source>Power law (duct page)</source>
        <translation>べき乗則（ダクトサイズ）</translation>
    </message>
    <message>
        <source>Colebrook-White</source>
        <translation>コールブルック</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>丸</translation>
    </message>
    <message>
        <source>Rectangular</source>
        <translation>角</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Air other than 1.2 kg/m³</source>
        <translation>空気の状態を指定</translation>
    </message>
    <message>
        <source>from the elevation</source>
        <translation>標高から</translation>
    </message>
    <message>
        <source>Problems of the system appear here, each naming its section.</source>
        <translation>系統の問題は、区間名とともにここに表示されます。</translation>
    </message>
    <message>
        <source>System</source>
        <translation>系統の設定</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>Friction</source>
        <translation>摩擦損失</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>スタイル</translation>
    </message>
    <message>
        <source>Material</source>
        <translation>ダクト材質</translation>
    </message>
    <message>
        <source>Velocity limit[m/s]</source>
        <translation>最大風速[m/s]</translation>
    </message>
    <message>
        <source>Loss limit per m</source>
        <translation>単位摩擦損失</translation>
    </message>
    <message>
        <source>Aspect limit</source>
        <translation>最大アスペクト比</translation>
    </message>
    <message>
        <source>Max height[mm]</source>
        <translation>最大高さ[mm]</translation>
    </message>
    <message>
        <source>Temperature[°C]</source>
        <translation>温度[℃]</translation>
    </message>
    <message>
        <source>Elevation[m]</source>
        <translation>標高[m]</translation>
    </message>
    <message>
        <source>Pressure[kPa]</source>
        <translation>気圧[kPa]</translation>
    </message>
    <message>
        <source>Fan pressure</source>
        <translation>送風機静圧</translation>
    </message>
    <message>
        <source>(material and limits below)</source>
        <translation>（下の材質と制限）</translation>
    </message>
    <message>
        <source>Φ</source>
        <comment>the mark of a round size</comment>
        <translation>φ</translation>
    </message>
    <message>
        <source>Kestrix Error</source>
        <translation>Kestrix エラー</translation>
    </message>
    <message>
        <source>It is not a file, and is left as it is.</source>
        <translation>ファイルではないため、そのままにしました。</translation>
    </message>
    <message>
        <source>It is not a file.</source>
        <translation>ファイルではありません。</translation>
    </message>
</context>
<context>
    <name>kestrix::StyleEditor</name>
    <message>
        <source>Configs to select Diffuser, Air Grille</source>
        <translation>吹出吸込口選定基準</translation>
    </message>
    <message>
        <source>Configs to select DUCT size</source>
        <translation>ダクトサイズ選定基準</translation>
    </message>
    <message>
        <source>Style Name to select</source>
        <translation>選定ｽﾀｲﾙ名(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>名前変更(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Standard to select</source>
        <comment>ducts</comment>
        <translation>ﾀﾞｸﾄｻｲｽﾞ選定基準</translation>
    </message>
    <message>
        <source>Material:</source>
        <translation>・ダクト材質：</translation>
    </message>
    <message>
        <source>Duct Roughness[mm]:</source>
        <translation>・内面粗度[mm]：</translation>
    </message>
    <message>
        <source>Air Velocity[m/s]:</source>
        <translation>・ダクト内風速[m/s]：</translation>
    </message>
    <message>
        <source>or less</source>
        <translation>以下</translation>
    </message>
    <message>
        <source>Max Loss :</source>
        <translation>・最大摩擦損失：</translation>
    </message>
    <message>
        <source>Aspect Ratio:</source>
        <translation>・アスペクト比：</translation>
    </message>
    <message>
        <source>Standard to select</source>
        <comment>air terminals</comment>
        <translation>吹出吸込口選定基準</translation>
    </message>
    <message>
        <source>Numerical aperture[%]:</source>
        <translation>・開口率[%]：</translation>
    </message>
    <message>
        <source>Surface wind velocity[m/s]:</source>
        <translation>・面風速[m/s]：</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>設定保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>適用(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>ｷｬﾝｾﾙ(&amp;C)</translation>
    </message>
    <message>
        <source>Not able to register this over</source>
        <translation>これ以上は登録できません。</translation>
    </message>
    <message>
        <source>New Style Name</source>
        <translation>新しい選定ｽﾀｲﾙ名</translation>
    </message>
    <message>
        <source>Rename Style Name</source>
        <translation>選定ｽﾀｲﾙ名変更</translation>
    </message>
    <message>
        <source>Style Name:
&#x3000;&quot;%1&quot;
&#x3000;delete this style?</source>
        <translation>設定ｽﾀｲﾙ名:
&#x3000;&quot;%1&quot;
&#x3000;を削除しますか?</translation>
    </message>
</context>
<context>
    <name>kestrix::StyleNameDialog</name>
    <message>
        <source>Style Name</source>
        <translation>選定ｽﾀｲﾙ名：</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>ｷｬﾝｾﾙ(&amp;C)</translation>
    </message>
    <message>
        <source>Style1</source>
        <translation>ｽﾀｲﾙ1</translation>
    </message>
    <message>
        <source>Style Name:
  &quot;%1&quot; has already been registered！</source>
        <translation>選定ｽﾀｲﾙ名:
&#x3000;&quot;%1&quot; は、すでに登録されています！</translation>
    </message>
</context>
<context>
    <name>ConfigMessages</name>
    <message>
        <source>need files-[%1] are not found.
Can not start.</source>
        <translation>必要なﾌｧｲﾙ[%1]が見つかりません。
起動できません。</translation>
    </message>
    <message>
        <source>Material data number is illegitimate. Effective value 64 is from 1.</source>
        <translation>材料ﾃﾞｰﾀ番号が不正です。有効な値は 1～64 です。</translation>
    </message>
    <message>
        <source>Duct selection style number is illegitimate. Effective value 64 is from 1.</source>
        <translation>ﾀﾞｸﾄ選定ｽﾀｲﾙ番号が不正です。有効な値は 1～64 です。</translation>
    </message>
    <message>
        <source>Diffuser style number is illegitimate. Effective value 64 is from 1.</source>
        <translation>器具選定ｽﾀｲﾙ番号が不正です。有効な値は 1～64 です。</translation>
    </message>
    <message>
        <source>File [%1] holds %2 more records with an illegitimate number; they were skipped.</source>
        <translation>ﾌｧｲﾙ[%1]には、ほかにも番号が不正なﾚｺｰﾄﾞが %2 件あり、読み飛ばしました。</translation>
    </message>
    <message>
        <source>Duct selection style is not registered.</source>
        <translation>ﾀﾞｸﾄ選定ｽﾀｲﾙが登録されていません。</translation>
    </message>
    <message>
        <source>Diffuser selection style is not registered.</source>
        <translation>器具選定スタイルが登録されていません。</translation>
    </message>
</context>
<context>
    <name>EvaluationErrors</name>
    <message>
        <source>The expression is too long: at most 255 characters.</source>
        <translation>式が長すぎます。255文字までです。</translation>
    </message>
    <message>
        <source>Too many variables: at most 256 names can be defined.</source>
        <translation>変数が多すぎます。定義できる名前は256個までです。</translation>
    </message>
</context>
<context>
    <name>SizingMessages</name>
    <message>
        <source>Please correct &apos;Unit frictional loss&apos; or &apos;maximum air velocity&apos;</source>
        <translation>単位摩擦損失または、最大風速の値を訂正してください</translation>
    </message>
    <message>
        <source>Flow Rate is too big.</source>
        <translation>風量が多すぎます。</translation>
    </message>
    <message>
        <source>Please correct the &apos;Duct Roughness&apos; of the duct material</source>
        <translation>ダクト材質の内面粗度の値を訂正してください</translation>
    </message>
    <message>
        <source>Please correct &apos;Free Area&apos; or &apos;Surface Velocity&apos;</source>
        <translation>開口率または、面風速の値を訂正してください</translation>
    </message>
    <message>
        <source>Kestrix Error</source>
        <translation>Kestrix エラー</translation>
    </message>
</context>
<context>
    <name>StyleWriter</name>
    <message>
        <source>The style of row %1 cannot be saved.
</source>
        <translation>行番号 %1 のｽﾀｲﾙを保存できません。
</translation>
    </message>
    <message>
        <source>The value [%1] cannot be written to the file.</source>
        <translation>設定値[%1]はﾌｧｲﾙに書けない形です。</translation>
    </message>
    <message>
        <source>The line would be longer than 255 bytes.</source>
        <translation>行が255ﾊﾞｲﾄを超えます。</translation>
    </message>
    <message>
        <source>The style name is empty.</source>
        <translation>ｽﾀｲﾙ名が空白です。</translation>
    </message>
    <message>
        <source>A style name cannot hold a double quotation mark [&quot;].</source>
        <translation>ｽﾀｲﾙ名にﾀﾞﾌﾞﾙｸｫｰﾃｰｼｮﾝ[&quot;]は使えません。</translation>
    </message>
    <message>
        <source>The style name holds a character that cannot be saved.</source>
        <translation>ｽﾀｲﾙ名に保存できない文字が含まれています。</translation>
    </message>
    <message>
        <source>The style name is too long (up to %1 bytes).</source>
        <translation>ｽﾀｲﾙ名が長すぎます。(%1ﾊﾞｲﾄまで)</translation>
    </message>
</context>
<context>
    <name>SystemCriteria</name>
    <message>
        <source>material row %1 is not in the materials file</source>
        <translation>ダクト材質の行 %1 がありません。</translation>
    </message>
    <message>
        <source>material &quot;%1&quot; is not in the materials file</source>
        <translation>ダクト材質「%1」がありません。</translation>
    </message>
    <message>
        <source>the material&apos;s roughness in the materials file is not a number</source>
        <translation>ダクト材質の内面粗度が数値ではありません。</translation>
    </message>
    <message>
        <source>a style replaces material, roughness and limits; give one or the other</source>
        <translation>style と material・roughness・limits は同時に指定できません。</translation>
    </message>
    <message>
        <source>give material or roughness, not both</source>
        <translation>material と roughness は同時に指定できません。</translation>
    </message>
    <message>
        <source>material and roughness need the limits (velocity and loss)</source>
        <translation>material や roughness には limits（velocity と loss）が必要です。</translation>
    </message>
    <message>
        <source>the limits need a material or a roughness</source>
        <translation>limits には material か roughness が必要です。</translation>
    </message>
    <message>
        <source>duct style %1 is not in the duct-style list (positions from 0)</source>
        <translation>ダクト選定スタイル %1 がありません。</translation>
    </message>
</context>
<context>
    <name>SystemTexts</name>
    <message>
        <source>the system has no sections</source>
        <translation>区間がありません。</translation>
    </message>
    <message>
        <source>the system has %1 sections; at most 100000 are taken</source>
        <translation>区間が多すぎます（%1、上限 100000）。</translation>
    </message>
    <message>
        <source>section number %1 has no id</source>
        <translation>%1 番目の区間に id がありません。</translation>
    </message>
    <message>
        <source>this id is given to more than one section</source>
        <translation>id が重複しています。</translation>
    </message>
    <message>
        <source>its upstream section &quot;%1&quot; does not exist</source>
        <translation>上流の区間「%1」がありません。</translation>
    </message>
    <message>
        <source>it is given as its own upstream section</source>
        <translation>自分自身が上流になっています。</translation>
    </message>
    <message>
        <source>a second section at the fan (no upstream), besides &quot;%1&quot;</source>
        <translation>送風機の区間（上流なし）が「%1」と二つあります。</translation>
    </message>
    <message>
        <source>no section is at the fan (upstream null)</source>
        <translation>送風機の区間（上流なし）がありません。</translation>
    </message>
    <message>
        <source>its upstream sections run in a circle (%1) and never reach the fan</source>
        <translation>上流をたどると循環します（%1）。</translation>
    </message>
    <message>
        <source>length %1 m is out of range (0 to 10000 m)</source>
        <translation>長さ %1 m が不正です（0～10000 m）。</translation>
    </message>
    <message>
        <source>flow %1 is out of range (above 0, at most 10000000 CMH)</source>
        <translation>風量 %1 が不正です（0 を超え 10000000 CMH 以下）。</translation>
    </message>
    <message>
        <source>it is a terminal and gives no flow</source>
        <translation>末端の区間に風量がありません。</translation>
    </message>
    <message>
        <source>its flow %1 differs from the sum of its downstream sections, %2, by more than 0.5 %</source>
        <translation>風量 %1 が下流の合計 %2 と 0.5 % を超えて異なります。</translation>
    </message>
    <message>
        <source>size &quot;%1&quot; is not a size in range (such as 400x300 or 350)</source>
        <translation>サイズ「%1」が読めないか範囲外です（例 400x300、350）。</translation>
    </message>
    <message>
        <source>size &quot;%1&quot; contradicts its shape</source>
        <translation>サイズ「%1」が形状と合いません。</translation>
    </message>
    <message>
        <source>max_height %1 mm is out of range</source>
        <translation>最大高さ %1 mm が不正です。</translation>
    </message>
    <message>
        <source>no candidate size is %1 mm high or lower</source>
        <translation>高さ %1 mm 以下の候補がありません。</translation>
    </message>
    <message>
        <source>loss coefficient %1 is out of range</source>
        <translation>損失係数 %1 が不正です。</translation>
    </message>
    <message>
        <source>fixed_loss %1 is out of range (0 or more)</source>
        <translation>固定損失 %1 が不正です。</translation>
    </message>
    <message>
        <source>air temperature %1 °C is out of range (-100 to 1000 °C)</source>
        <translation>空気の温度 %1 ℃ が不正です（-100～1000 ℃）。</translation>
    </message>
    <message>
        <source>elevation %1 m is out of range (-1000 to 11000 m)</source>
        <translation>標高 %1 m が不正です（-1000～11000 m）。</translation>
    </message>
    <message>
        <source>air gives both elevation and pressure; give one of them</source>
        <translation>空気は標高か気圧のどちらか一方を指定してください。</translation>
    </message>
    <message>
        <source>air pressure %1 kPa is out of range (10 to 1000 kPa)</source>
        <translation>気圧 %1 kPa が不正です（10～1000 kPa）。</translation>
    </message>
    <message>
        <source>the velocity, loss and aspect limits must be above 0</source>
        <translation>風速・摩擦損失・アスペクト比の制限は正の値にしてください。</translation>
    </message>
    <message>
        <source>roughness %1 mm is out of range (above 0)</source>
        <translation>内面粗度 %1 mm が不正です。</translation>
    </message>
    <message>
        <source>no size fits (the flow is too small to size)</source>
        <translation>サイズが決まりません（風量が小さすぎます）。</translation>
    </message>
    <message>
        <source>section &quot;%1&quot;: </source>
        <translation>区間「%1」：</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>a whole-file error: the detail alone</comment>
        <translation>ファイルを読めません：%1</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>ファイルの %1 行 %2 列に誤りがあります：%3</translation>
    </message>
    <message>
        <source>Φ</source>
        <comment>the diameter mark of a round size</comment>
        <translation>φ</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>区間</translation>
    </message>
    <message>
        <source>Upstream</source>
        <translation>上流</translation>
    </message>
    <message>
        <source>Flow</source>
        <translation>風量</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Velocity</source>
        <translation>風速</translation>
    </message>
    <message>
        <source>Velocity Pr.</source>
        <translation>動圧</translation>
    </message>
    <message>
        <source>Loss</source>
        <translation>摩擦損失</translation>
    </message>
    <message>
        <source>Friction</source>
        <translation>直管損失</translation>
    </message>
    <message>
        <source>Fittings</source>
        <translation>局部損失</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>固定損失</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>損失計</translation>
    </message>
    <message>
        <source>Over limits</source>
        <translation>制限超過</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>末端</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>経路</translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation>圧力</translation>
    </message>
    <message>
        <source>Surplus</source>
        <translation>余剰</translation>
    </message>
    <message>
        <source>Critical</source>
        <translation>最遠</translation>
    </message>
    <message>
        <source>Fan pressure</source>
        <translation>送風機静圧</translation>
    </message>
    <message>
        <source>over</source>
        <translation>超過</translation>
    </message>
    <message>
        <source>critical</source>
        <translation>最遠</translation>
    </message>
</context>
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
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Duct Size</source>
        <translation>ダクトサイズ(&amp;D)</translation>
    </message>
    <message>
        <source>Diffuser, Air &amp;Grille</source>
        <translation>吹出・吸込口(&amp;G)</translation>
    </message>
    <message>
        <source>View on &amp;Top Most</source>
        <translation>最上部に表示(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>Duct &amp;system…</source>
        <translation>ダクト系統(&amp;S)…</translation>
    </message>
</context>
<context>
    <name>kestrix::DuctPage</name>
    <message>
        <source>(no material)</source>
        <translation>(材料なし)</translation>
    </message>
    <message>
        <source>Condition: </source>
        <translation>選定基準：</translation>
    </message>
    <message>
        <source>&amp;Calc</source>
        <translation>計算(&amp;C)</translation>
    </message>
    <message>
        <source>Duct Size [mm]</source>
        <translation>ダクトサイズ[mm]</translation>
    </message>
    <message>
        <source>Properties of selected Duct</source>
        <translation>選択ダクト情報（静圧チェック）</translation>
    </message>
    <message>
        <source>Size [mm]:</source>
        <translation>サイズ[mm]：</translation>
    </message>
    <message>
        <source>&amp;ReCalc</source>
        <translation>再計算(&amp;R)</translation>
    </message>
    <message>
        <source>Aspect Ratio:</source>
        <translation>ｱｽﾍﾟｸﾄ比：</translation>
    </message>
    <message>
        <source>Velocity[m/s]:</source>
        <translation>風速[m/s]：</translation>
    </message>
    <message>
        <source>Standard Flow[CMH]:</source>
        <translation>基準風量[CMH]：</translation>
    </message>
    <message>
        <source>Equivalent Dia.[mm]:</source>
        <translation>相当直径[mm]：</translation>
    </message>
    <message>
        <source>Velocity E.Dia.[m/s]:</source>
        <translation>丸ﾀﾞｸﾄ換算時風速[m/s]：</translation>
    </message>
    <message>
        <source>Dynamic Pr.[Pa]:</source>
        <translation>動圧[Pa]：</translation>
    </message>
    <message>
        <source>Dynamic Pr.[kgf/m²]:</source>
        <translation>動圧[kgf/㎡]：</translation>
    </message>
    <message>
        <source>DeltaPr.[Pa/m]:</source>
        <translation>Δp[Pa/m]：</translation>
    </message>
    <message>
        <source>DeltaPr.[mmAq/m]:</source>
        <translation>Δp[mmAq/m]：</translation>
    </message>
</context>
<context>
    <name>kestrix::SizingPage</name>
    <message>
        <source>&amp;Flow Rate[CMH]:</source>
        <translation>風量(&amp;F) [CMH]：</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>変更(&amp;R)</translation>
    </message>
</context>
<context>
    <name>kestrix::TerminalPage</name>
    <message>
        <source>Condition: Free Area - %3d %%, Velocity - %5s m/s</source>
        <translation>選定基準： 開口率･･･ %3d %% , 面風速･･･ %5s m/s</translation>
    </message>
    <message>
        <source>Ca&amp;lc</source>
        <translation>計算(&amp;L)</translation>
    </message>
    <message>
        <source>Diffuser, Air Grille Size [mm]</source>
        <translation>吹出・吸込口サイズ[mm]</translation>
    </message>
    <message>
        <source>Properties of selected Diffuser, Air Grille</source>
        <translation>詳細情報（チェック）</translation>
    </message>
    <message>
        <source>Size[mm]:</source>
        <translation>サイズ[mm]：</translation>
    </message>
    <message>
        <source>&amp;ReCalc</source>
        <translation>再計算</translation>
    </message>
    <message>
        <source>Free Area[%]:</source>
        <translation>開口率[%]：</translation>
    </message>
    <message>
        <source>Necessary Area[m²]:</source>
        <translation>必要[㎡]：</translation>
    </message>
    <message>
        <source>Surface Velocity[m/s]:</source>
        <translation>面風速[m/s]：</translation>
    </message>
    <message>
        <source>Effective Area[m²]:</source>
        <translation>有効[㎡]：</translation>
    </message>
    <message>
        <source>Standard Flow[CMH]:</source>
        <translation>基準風量[CMH]：</translation>
    </message>
</context>
</TS>
